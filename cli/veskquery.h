#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// veskquery: the viewer's selection, sorting, location texts and export without a window. Runs
// the options in the order given on the directory of "vesk.dat" (or --data FILE) and writes the
// displayed towers to out. Gives the exit status: 0 done, 2 bad use (a one-line message on err).
int runVeskQuery(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

extern const char* const veskQueryUsage;
