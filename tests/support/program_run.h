#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct ProgramRun {
    int status = -1;  // the exit status; -1 when the program could not start or did not exit
    std::string out;
    std::string error;
};

// Runs a program built here in `folder`, as a user would from a command line, with these
// arguments and nothing on its standard input, and gives back the bytes it wrote to standard
// output and standard error. Resource limits of the calling process hold for the program too.
ProgramRun runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                      const std::filesystem::path& folder);
