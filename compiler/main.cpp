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
#include "records/system_texts.h"

namespace {

constexpr const char* usage =
    "usage: veskcomp\n"
    "Compiles vesk.txt in the working folder into vesk.dat there and prints the numbers of towers,\n"
    "counties, dedications and web addresses. Takes no arguments.\n";

int compile(std::ostream& out, std::ostream& err)
{
    try {
        return compileDirectory(std::filesystem::path(), out, err);
    } catch (const std::bad_alloc&) {
        err << "veskcomp: not enough memory\n";
        return 1;
    } catch (const std::exception& failure) {
        err << "veskcomp: " << failure.what() << '\n';
        return 1;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    writeStandardStreamsUnchanged();
    StandardOutputBuffer output;
    std::ostream out(&output);
    // Messages are made in the directory's code page, as the source lines they quote are.
    Utf8MessageBuffer utf8Messages(std::cerr.rdbuf());
    std::ostream err(systemTextsAreUtf8 ? &utf8Messages : std::cerr.rdbuf());
    err.flags(std::cerr.flags());
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    int status = 0;
    if (arguments == std::vector<std::string>{"--help"}) {
        out << usage;
    } else {
        if (!arguments.empty()) {
            err << "veskcomp: takes no arguments and leaves these unread:";
            for (const std::string& argument : arguments)
                err << " \"" << (systemTextsAreUtf8 ? utf8ToWindows1252(argument) : argument) << '"';
            err << '\n';
        }
        status = compile(out, err);
    }
    if (const int error = output.finish()) {
        err << "veskcomp: cannot write the summary: " << std::strerror(error) << '\n';
        return 1;
    }
    return status;
}
