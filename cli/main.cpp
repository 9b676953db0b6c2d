#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/terminal.h"
#include "cli/veskquery.h"
#include "records/standard_streams.h"

namespace {

// Every byte onto standard output; the error that stopped it, or 0.
int writeStandardOutput(std::string_view bytes)
{
    errno = 0;
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    if (written == bytes.size() && std::fflush(stdout) == 0) return 0;
    return errno != 0 ? errno : EIO;
}

}  // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    writeStandardStreamsUnchanged();
    const TextEncoding encoding = setUpTerminal();
    std::ostringstream out(std::ios::binary);
    const int status = runVeskQuery(std::vector<std::string>(argv + 1, argv + argc), out, std::cerr, encoding);
    if (const int error = writeStandardOutput(out.view())) {
        std::cerr << "veskquery: cannot write the output: " << std::strerror(error) << '\n';
        return 1;
    }
    return status;
}
