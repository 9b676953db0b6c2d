#include "cli/terminal.h"

#include <io.h>
#include <windows.h>

#include <clocale>
#include <cstdio>

#include "records/system_texts.h"

TerminalEncodings setUpTerminal()
{
    // Arguments arrive in the system's code page; file names among them become wide paths through
    // the C library's conversion, which follows that code page only under the user's locale.
    std::setlocale(LC_CTYPE, "");
    const TextEncoding system = systemTextsAreUtf8 ? TextEncoding::Utf8 : TextEncoding::Windows1252;
    // A console shows UTF-8 when its output code page is 65001; under any other the directory's
    // Windows-1252 bytes are as near as it comes.
    if (::_isatty(::_fileno(stdout)) == 0) return {TextEncoding::Windows1252, system};
    return {::GetConsoleOutputCP() == CP_UTF8 ? TextEncoding::Utf8 : TextEncoding::Windows1252, system};
}
