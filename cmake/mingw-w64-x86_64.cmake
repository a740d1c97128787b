# Cross build for 64-bit Windows with MinGW-w64's GCC (Debian:
# g++-mingw-w64-x86-64-posix). The posix thread model is the one whose
# libstdc++ has std::thread and std::mutex.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(RADIO_MINGW_TRIPLE x86_64-w64-mingw32)
find_program(CMAKE_CXX_COMPILER NAMES ${RADIO_MINGW_TRIPLE}-g++-posix ${RADIO_MINGW_TRIPLE}-g++
    REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${RADIO_MINGW_TRIPLE}-gcc-posix ${RADIO_MINGW_TRIPLE}-gcc
    REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${RADIO_MINGW_TRIPLE}-windres)

# The target's headers and libraries sit beside the compiler's folder, in a
# folder named by the triple; nothing of the build machine's is to be found.
get_filename_component(RADIO_MINGW_BIN "${CMAKE_CXX_COMPILER}" DIRECTORY)
get_filename_component(RADIO_MINGW_ROOT "${RADIO_MINGW_BIN}/../${RADIO_MINGW_TRIPLE}" ABSOLUTE)
set(CMAKE_FIND_ROOT_PATH "${RADIO_MINGW_ROOT}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's own runtime (libgcc, libstdc++, winpthreads) linked in, so
# that the programs need no DLL beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
