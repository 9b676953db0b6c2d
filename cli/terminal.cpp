#include "cli/terminal.h"

#include <unistd.h>

#include <csignal>

#include "records/system_texts.h"

TerminalEncodings setUpTerminal()
{
    // A reader that goes away is a failed write, said like any other, not a silent end.
    std::signal(SIGPIPE, SIG_IGN);
    const TextEncoding system = systemTextsAreUtf8() ? TextEncoding::Utf8 : TextEncoding::Windows1252;
    return {::isatty(STDOUT_FILENO) != 0 ? system : TextEncoding::Windows1252, system};
}
