#!/usr/bin/env bash
# Checks that the code with no window toolkit in it (the scene, the bitmap
# class, the rendering and the platform layer's portable files and Windows
# backend) compiles for Windows as it is: each file with the mingw-w64
# compiler, once on its own and once after <windows.h>, whose macros (RGB,
# VK_*, PFD_*, LoadString, ...) must not break the project's headers. Then
# checks that the names the project shares with the system keep the system's
# values. Syntax only: nothing is linked.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

CXX=${MINGW_CXX:-x86_64-w64-mingw32-g++-posix}
command -v "$CXX" >/dev/null || { echo "check-mingw: $CXX is missing (make deps)" >&2 && exit 1; }
export CXX
FLAGS="-std=c++20 -fsyntax-only -Wall -Wextra -Werror -Isrc"
export FLAGS

shopt -s nullglob
sources=(src/scene/*.cpp src/dib/*.cpp src/render/*.cpp src/platform/*.cpp src/platform/win32/*.cpp)
headers=(src/scene/*.h src/dib/*.h src/render/*.h src/platform/*.h src/platform/win32/*.h
    src/app/StringTable.h)
check() {
    $CXX $FLAGS "$@" && $CXX $FLAGS -include windows.h "$@" ||
        { echo "check-mingw: ${*: -1} does not compile for Windows" >&2 && return 1; }
}
export -f check
# Every header on its own, all in one file, and each source file.
printf '#include "%s"\n' "${headers[@]#src/}" >"${TMPDIR:-/tmp}/check-mingw-headers.cpp"
printf '%s\n' "${TMPDIR:-/tmp}/check-mingw-headers.cpp" "${sources[@]}" |
    xargs -P "${JOBS:-2}" -I{} bash -c 'check {}'

$CXX $FLAGS -x c++ - <<'EOF'
#include <windows.h>
#include "platform/DibFormat.h"
#include "platform/VirtualKeys.h"
#include "render/PixelFormat.h"
#define SAME(name) static_assert(name == bravok::name, #name)
SAME(BI_RGB); SAME(DIB_RGB_COLORS); SAME(DIB_PAL_COLORS); SAME(SRCCOPY); SAME(CLR_INVALID);
SAME(PFD_DOUBLEBUFFER); SAME(PFD_DRAW_TO_WINDOW); SAME(PFD_SUPPORT_OPENGL); SAME(PFD_NEED_PALETTE);
SAME(PFD_TYPE_RGBA); SAME(VK_LBUTTON); SAME(VK_BACK); SAME(VK_SHIFT); SAME(VK_CONTROL);
SAME(VK_ESCAPE); SAME(VK_LEFT); SAME(VK_UP); SAME(VK_RIGHT); SAME(VK_DOWN); SAME(VK_INSERT);
SAME(VK_DELETE); SAME(VK_F1); SAME(VK_F6); SAME(VK_LSHIFT); SAME(VK_RSHIFT); SAME(VK_LCONTROL);
SAME(VK_RCONTROL);
static_assert(RGB(1, 2, 3) == bravok::RGB(1, 2, 3));
static_assert(sizeof(BITMAPINFOHEADER) == sizeof(bravok::BITMAPINFOHEADER));
static_assert(sizeof(PIXELFORMATDESCRIPTOR) == bravok::PixelFormatDescriptor{}.nSize);
EOF
echo "check-mingw: $((${#sources[@]} + ${#headers[@]})) files compile for Windows, with and without <windows.h> first"
