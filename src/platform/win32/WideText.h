#pragma once

// The game keeps paths and text in UTF-8; Windows' wide-character calls take
// UTF-16. Only the Windows backends include this.

#include <windows.h>

#include <string>

namespace bravok {

// The UTF-16 form of UTF-8 text; empty for text that is not valid UTF-8, which
// names no file.
inline std::wstring WideFromUtf8(const char* text) {
    if (text == nullptr || *text == '\0') return {};
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length) - 1);  // the terminating NUL
    return wide;
}

}  // namespace bravok
