#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// veskquery: the viewer's selection, sorting, location texts and export without a window. Runs
// the options in the order given on the directory of "vesk.dat" (or --data FILE) and writes the
// displayed towers to out, or to the --output file. Gives the exit status: 0 done, 2 bad use or
// a file that cannot be read, 1 a file that cannot be written; each with a one-line message on err.
// Texts go out as the directory's Windows-1252 bytes unless --encoding says otherwise or
// the terminal's output, the default for the standard output the program writes to, is UTF-8.
enum class TextEncoding { Windows1252, Utf8 };

struct TerminalEncodings {
    TextEncoding output = TextEncoding::Windows1252;
    // The system's texts: the arguments other than file names come in it, to be compared with
    // the directory's, and the messages on err go out in it.
    TextEncoding system = TextEncoding::Windows1252;
};

int runVeskQuery(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                 TerminalEncodings terminal = {});

extern const char* const veskQueryUsage;
