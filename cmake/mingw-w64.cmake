# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (the POSIX
# threads variant, which std::thread and std::mutex need):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DORVIK_CORE_ONLY=ON
# The programs are linked statically, so they run without the compiler's
# DLLs beside them, and ctest runs them under wine when it is installed.
# -DORVIK_MINGW_PREFIX=i686-w64-mingw32 makes the 32-bit build, the one shops
# install (scripts/wine-tests.sh, windows/program.cmake).
if(NOT ORVIK_MINGW_PREFIX)
    set(ORVIK_MINGW_PREFIX x86_64-w64-mingw32)
endif()
set(CMAKE_SYSTEM_NAME Windows)
if(ORVIK_MINGW_PREFIX MATCHES "^i686")
    set(CMAKE_SYSTEM_PROCESSOR x86)
else()
    set(CMAKE_SYSTEM_PROCESSOR x86_64)
endif()

set(CMAKE_C_COMPILER ${ORVIK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVIK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVIK_MINGW_PREFIX}-windres)

# The compiler's own files, and the prefixes given (Qt for Windows), are the
# only places libraries, headers and packages for Windows come from.
set(CMAKE_FIND_ROOT_PATH /usr/${ORVIK_MINGW_PREFIX} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The core alone links statically. The whole program (-DORVIK_SHARED_RUNTIME=ON)
# shares the compiler's runtime DLLs with Qt's DLLs: one C++ library and one
# unwinder for exceptions and objects that cross between them.
if(NOT ORVIK_SHARED_RUNTIME)
    set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
    set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
endif()
# Checks compile in projects of their own, which read this file again.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ORVIK_MINGW_PREFIX ORVIK_SHARED_RUNTIME)

# Wine's loader of the build's width runs the programs (under ctest too): a
# 32-bit program needs wine32.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86")
    find_program(ORVIK_WINE NAMES wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
else()
    find_program(ORVIK_WINE NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine NO_DEFAULT_PATH)
endif()
if(ORVIK_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ORVIK_WINE})
endif()
