// veskcomp: compiles the tower directory "vesk.txt" in the working folder into "vesk.dat" and
// prints how many towers, counties, dedications and web addresses it holds. Takes no arguments:
// --help says what it does, and any other argument is said to be left unread before the compile.
#include <cstring>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "compiler/compile_directory.h"
#include "records/standard_output.h"
#include "records/standard_streams.h"

namespace {

constexpr const char* usage =
    "usage: veskcomp\n"
    "Compiles vesk.txt in the working folder into vesk.dat there and prints the numbers of towers,\n"
    "counties, dedications and web addresses. Takes no arguments.\n";

int compile(std::ostream& out)
{
    try {
        return compileDirectory(std::filesystem::path(), out, std::cerr);
    } catch (const std::bad_alloc&) {
        std::cerr << "veskcomp: not enough memory\n";
        return 1;
    } catch (const std::exception& failure) {
        std::cerr << "veskcomp: " << failure.what() << '\n';
        return 1;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    writeStandardStreamsUnchanged();
    StandardOutputBuffer output;
    std::ostream out(&output);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    int status = 0;
    if (arguments == std::vector<std::string>{"--help"}) {
        out << usage;
    } else {
        if (!arguments.empty()) {
            std::cerr << "veskcomp: takes no arguments and leaves these unread:";
            for (const std::string& argument : arguments) std::cerr << " \"" << argument << '"';
            std::cerr << '\n';
        }
        status = compile(out);
    }
    if (const int error = output.finish()) {
        std::cerr << "veskcomp: cannot write the summary: " << std::strerror(error) << '\n';
        return 1;
    }
    return status;
}
