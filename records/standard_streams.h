#pragma once

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

// Standard output and error carry a program's bytes unchanged on every system, so that an export
// written there is the file's exact bytes: Windows' C library would otherwise write each "\n" as
// "\r\n".
inline void writeStandardStreamsUnchanged()
{
#ifdef _WIN32
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
#endif
}
