#pragma once

// Puts standard output in binary mode. On Windows the C library would write each
// "\n" as "\r\n", and the generated files must be byte for byte the ones the
// tools make on Linux, where there is nothing to do.

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>

inline void SetBinaryStdout() {
    _setmode(_fileno(stdout), _O_BINARY);
}
#else
inline void SetBinaryStdout() {}
#endif
