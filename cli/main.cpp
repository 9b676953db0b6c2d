#include <langinfo.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/veskquery.h"

namespace {

// UTF-8 when standard output is a terminal whose locale says UTF-8; the exact bytes otherwise,
// for files and pipes.
TextEncoding terminalEncoding()
{
    if (::isatty(STDOUT_FILENO) == 0) return TextEncoding::Windows1252;
    std::setlocale(LC_CTYPE, "");
    const char* codeset = ::nl_langinfo(CODESET);
    return codeset != nullptr && std::strcmp(codeset, "UTF-8") == 0 ? TextEncoding::Utf8
                                                                      : TextEncoding::Windows1252;
}

// Every byte onto standard output; the error that stopped it, or 0.
int writeStandardOutput(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return errno;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    // A reader that goes away is a failed write, said like any other, not a silent end.
    std::signal(SIGPIPE, SIG_IGN);
    std::ios::sync_with_stdio(false);
    std::ostringstream out(std::ios::binary);
    const int status = runVeskQuery(std::vector<std::string>(argv + 1, argv + argc), out, std::cerr,
                                    terminalEncoding());
    if (const int error = writeStandardOutput(out.view())) {
        std::cerr << "veskquery: cannot write the output: " << std::strerror(error) << '\n';
        return 1;
    }
    return status;
}
