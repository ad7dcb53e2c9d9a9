# Cross-compiles for Windows with mingw-w64; the preset's toolchain file
# names the processor first. The -posix compilers carry the thread support
# that GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(aokiri_mingw_triplet ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER ${aokiri_mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${aokiri_mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${aokiri_mingw_triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${aokiri_mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
