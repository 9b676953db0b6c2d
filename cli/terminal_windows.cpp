#include "cli/terminal.h"

#include <io.h>
#include <windows.h>

#include <cstdio>

#include "records/system_texts.h"

TerminalEncodings setUpTerminal()
{
    const TextEncoding system = systemTextsAreUtf8() ? TextEncoding::Utf8 : TextEncoding::Windows1252;
    // A console shows UTF-8 when its output code page is 65001; under any other the directory's
    // Windows-1252 bytes are as near as it comes.
    if (::_isatty(::_fileno(stdout)) == 0) return {TextEncoding::Windows1252, system};
    return {::GetConsoleOutputCP() == CP_UTF8 ? TextEncoding::Utf8 : TextEncoding::Windows1252, system};
}
