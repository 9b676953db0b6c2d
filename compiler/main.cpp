// veskcomp: compiles the tower directory "vesk.txt" in the working folder into "vesk.dat" and
// prints how many towers, counties, dedications and web addresses it holds. Takes no arguments.
#include <exception>
#include <new>
#include <iostream>

#include "compiler/compile_directory.h"
#include "records/standard_streams.h"

int main()
{
    writeStandardStreamsUnchanged();
    try {
        return compileDirectory(std::filesystem::path(), std::cout, std::cerr);
    } catch (const std::bad_alloc&) {
        std::cerr << "veskcomp: not enough memory\n";
        return 1;
    } catch (const std::exception& failure) {
        std::cerr << "veskcomp: " << failure.what() << '\n';
        return 1;
    }
}
