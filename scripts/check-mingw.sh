#!/usr/bin/env bash
# Checks that the code with no window toolkit in it (the scene, the bitmap
# class, the rendering, the portable runtime, and the platform layer's
# interfaces and Windows backend) compiles for Windows as it is: each file with
# the mingw-w64 compiler, once on its own and once after <windows.h>, whose
# macros (RGB, VK_*, PFD_*, LoadString, ...) must not break the project's
# headers. Then checks that the names the project shares with the system keep
# the system's values. Syntax only: nothing is linked.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

CXX=${MINGW_CXX:-x86_64-w64-mingw32-g++-posix}
command -v "$CXX" >/dev/null || { echo "check-mingw: $CXX is missing (make deps)" >&2 && exit 1; }
export CXX
FLAGS="-std=c++20 -fsyntax-only -Wall -Wextra -Werror -Isrc"
export FLAGS

shopt -s nullglob
sources=(src/scene/*.cpp src/dib/*.cpp src/render/*.cpp src/base/*.cpp src/platform/*.cpp
    src/platform/win32/*.cpp)
headers=(src/scene/*.h src/dib/*.h src/render/*.h src/base/*.h src/platform/*.h src/platform/win32/*.h
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

# Each name the project declares beside the system's macro of the same name
# has the system's value: the macro's value is kept, the macro set aside, and
# the two compared.
names="BI_RGB DIB_RGB_COLORS DIB_PAL_COLORS SRCCOPY CLR_INVALID PFD_DOUBLEBUFFER PFD_DRAW_TO_WINDOW
    PFD_SUPPORT_OPENGL PFD_NEED_PALETTE PFD_TYPE_RGBA VK_LBUTTON VK_BACK VK_SHIFT VK_CONTROL
    VK_ESCAPE VK_LEFT VK_UP VK_RIGHT VK_DOWN VK_INSERT VK_DELETE VK_F1 VK_F6 VK_LSHIFT VK_RSHIFT
    VK_LCONTROL VK_RCONTROL"
{
    echo '#include <windows.h>'
    printf '#include "%s"\n' dib/DibFormat.h platform/VirtualKeys.h \
        render/PixelFormat.h app/StringTable.h
    for name in $names; do
        printf 'constexpr auto system_%s = %s;\n#undef %s\n' "$name" "$name" "$name"
        printf 'static_assert(system_%s == bravok::%s, "%s");\n' "$name" "$name" "$name"
    done
    # Function-like macros stay unexpanded when the name is not followed by "(".
    echo 'static_assert(RGB(1, 2, 3) == (bravok::RGB)(1, 2, 3), "RGB");'
    echo 'static_assert(sizeof(BITMAPINFOHEADER) == sizeof(bravok::BITMAPINFOHEADER));'
    echo 'static_assert(sizeof(PIXELFORMATDESCRIPTOR) == bravok::PixelFormatDescriptor{}.nSize);'
} | $CXX $FLAGS -x c++ - || { echo "check-mingw: a name shared with the system has another value" >&2 && exit 1; }
echo "check-mingw: $((${#sources[@]} + ${#headers[@]})) files compile for Windows, with and without <windows.h> first"
