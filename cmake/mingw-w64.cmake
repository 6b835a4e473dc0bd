# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (the POSIX
# threads variant, which std::thread and std::mutex need):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DORVIK_CORE_ONLY=ON
# The programs are linked statically, so they run without the compiler's
# DLLs beside them, and ctest runs them under wine64 when it is installed.
# -DORVIK_MINGW_PREFIX=i686-w64-mingw32 makes a 32-bit build instead.
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

set(CMAKE_FIND_ROOT_PATH /usr/${ORVIK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

find_program(ORVIK_WINE64 NAMES wine64 HINTS /usr/lib/wine /usr/lib64/wine)
if(ORVIK_WINE64)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ORVIK_WINE64})
endif()
