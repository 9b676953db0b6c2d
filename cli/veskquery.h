#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// veskquery: the viewer's selection, sorting, location texts and export without a window. Runs
// the options in the order given on the directory of "vesk.dat" (or --data FILE) and writes the
// displayed towers to out. Gives the exit status: 0 done, 1 when the output cannot be made or
// written, 2 bad use; what stops a run is said in one line on err.
// Texts go out as the directory's Windows-1252 bytes unless --encoding says otherwise or
// terminalEncoding, the default for the standard output the program writes to, is UTF-8.
enum class TextEncoding { Windows1252, Utf8 };

int runVeskQuery(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                 TextEncoding terminalEncoding = TextEncoding::Windows1252);

extern const char* const veskQueryUsage;
