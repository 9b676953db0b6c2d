#include <iostream>
#include <string>
#include <vector>

#include "cli/terminal.h"
#include "cli/veskquery.h"
#include "records/standard_streams.h"

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    writeStandardStreamsUnchanged();
    return runVeskQuery(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                        setUpTerminal());
}
