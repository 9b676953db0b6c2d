#include <cstring>
#include <iostream>
#include <ostream>
#include <string>
#include <vector>

#include "records/standard_output.h"
#include "cli/terminal.h"
#include "cli/veskquery.h"
#include "records/standard_streams.h"

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    writeStandardStreamsUnchanged();
    const TerminalEncodings terminal = setUpTerminal();
    StandardOutputBuffer output;
    std::ostream out(&output);
    const int status = runVeskQuery(std::vector<std::string>(argv + 1, argv + argc), out, std::cerr, terminal);
    if (const int error = output.finish()) {
        std::cerr << "veskquery: cannot write the output: " << std::strerror(error) << '\n';
        return 1;
    }
    return status;
}
