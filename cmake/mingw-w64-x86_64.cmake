# 64-bit Windows programs from Debian's MinGW-w64 (the POSIX thread model), run here under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries for Windows are looked for only in MinGW's own folder and in any folders given in
# CMAKE_FIND_ROOT_PATH (the toolkit's and GoogleTest's).
list(APPEND CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything linked in, the compiler's own runtime too: the programs need no DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests and test discovery run the programs through Wine.
find_program(BELFRIX_WINE wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(BELFRIX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${BELFRIX_WINE})
endif()
