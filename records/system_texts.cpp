#include "records/system_texts.h"

#include <langinfo.h>

#include <clocale>
#include <cstring>

bool systemTextsAreUtf8()
{
    std::setlocale(LC_CTYPE, "");
    const char* codeset = ::nl_langinfo(CODESET);
    return codeset != nullptr && std::strcmp(codeset, "UTF-8") == 0;
}
