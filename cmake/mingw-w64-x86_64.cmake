# Cross-building Bravok for 64-bit Windows on Debian with MinGW-w64.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#         -DwxWidgets_CONFIG_EXECUTABLE=<wxMSW prefix>/bin/wx-config
# The -posix compilers by name: only MinGW's POSIX thread model has std::thread
# and std::mutex, and the plain names follow whichever model was installed last.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BRAVOK_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BRAVOK_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRAVOK_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${BRAVOK_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BRAVOK_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained program: the C and C++ runtimes and winpthreads linked in,
# so no MinGW DLL has to travel with it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs and tools run under Wine, through a wrapper that gives them the
# test run's Wine prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
