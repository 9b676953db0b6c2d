// veskcomp: compiles the tower directory "vesk.txt" in the working folder into "vesk.dat" and
// prints how many towers, counties, dedications and web addresses it holds. Takes no arguments.
#include <exception>
#include <iostream>

#include "compiler/compile_directory.h"
#include "records/standard_streams.h"

int main()
{
    writeStandardStreamsUnchanged();
    try {
        return compileDirectory(std::filesystem::path(), std::cout, std::cerr);
    } catch (const std::exception& failure) {  // out of memory on an enormous source, say
        std::cerr << "veskcomp: " << failure.what() << '\n';
        return 1;
    }
}
