#include <langinfo.h>
#include <unistd.h>

#include <clocale>
#include <cstring>
#include <iostream>
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

}  // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    return runVeskQuery(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                        terminalEncoding());
}
