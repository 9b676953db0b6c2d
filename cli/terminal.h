#pragma once

#include "cli/veskquery.h"

// Sets the program up for the system it runs on, and gives the encodings of its user's side:
// standard output's texts UTF-8 only on a terminal that shows UTF-8, the directory's exact bytes
// for files, pipes and every other terminal; the arguments and messages in the system's.
TerminalEncodings setUpTerminal();
