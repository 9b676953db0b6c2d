#pragma once

#include "cli/veskquery.h"

// Sets the program up for the system it runs on, and gives the encoding its texts are wanted in
// on standard output: UTF-8 only on a terminal that shows UTF-8, the directory's exact bytes for
// files, pipes and every other terminal.
TextEncoding setUpTerminal();
