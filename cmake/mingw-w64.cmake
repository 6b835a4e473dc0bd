# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (the POSIX
# threads variant, which std::thread and std::mutex need):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DORVIK_CORE_ONLY=ON
# The programs are linked statically, so they run without the compiler's
# DLLs beside them, and ctest runs them under wine64 when it is installed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(orvik_mingw_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${orvik_mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${orvik_mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${orvik_mingw_prefix}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${orvik_mingw_prefix})
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
