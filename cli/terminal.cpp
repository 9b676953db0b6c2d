#include "cli/terminal.h"

#include <langinfo.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <cstring>

#include "records/system_texts.h"

TerminalEncodings setUpTerminal()
{
    // A reader that goes away is a failed write, said like any other, not a silent end.
    std::signal(SIGPIPE, SIG_IGN);
    const TextEncoding system = systemTextsAreUtf8 ? TextEncoding::Utf8 : TextEncoding::Windows1252;
    if (::isatty(STDOUT_FILENO) == 0) return {TextEncoding::Windows1252, system};
    std::setlocale(LC_CTYPE, "");
    const char* codeset = ::nl_langinfo(CODESET);
    const bool showsUtf8 = codeset != nullptr && std::strcmp(codeset, "UTF-8") == 0;
    return {showsUtf8 ? TextEncoding::Utf8 : TextEncoding::Windows1252, system};
}
