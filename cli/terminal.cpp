#include "cli/terminal.h"

#include <langinfo.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <cstring>

TextEncoding setUpTerminal()
{
    // A reader that goes away is a failed write, said like any other, not a silent end.
    std::signal(SIGPIPE, SIG_IGN);
    if (::isatty(STDOUT_FILENO) == 0) return TextEncoding::Windows1252;
    std::setlocale(LC_CTYPE, "");
    const char* codeset = ::nl_langinfo(CODESET);
    return codeset != nullptr && std::strcmp(codeset, "UTF-8") == 0 ? TextEncoding::Utf8
                                                                      : TextEncoding::Windows1252;
}
