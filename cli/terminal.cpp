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
    const TerminalEncodings files{TextEncoding::Windows1252, systemTextsAreUtf8 ? TextEncoding::Utf8 : TextEncoding::Windows1252};
    if (::isatty(STDOUT_FILENO) == 0) return files;
    std::setlocale(LC_CTYPE, "");
    const char* codeset = ::nl_langinfo(CODESET);
    const bool utf8 = codeset != nullptr && std::strcmp(codeset, "UTF-8") == 0;
    return {utf8 ? TextEncoding::Utf8 : TextEncoding::Windows1252, files.system};
}
