#include "records/system_texts.h"

#include <clocale>

bool systemTextsAreUtf8()
{
    // Arguments arrive in the system's code page; file names among them become wide paths through
    // the C library's conversion, which follows that code page only under the user's locale.
    std::setlocale(LC_CTYPE, "");
    return false;
}
