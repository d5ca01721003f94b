#pragma once

#include <wx/string.h>

#include <string_view>

namespace bravok {

// The program keeps its texts as UTF-8; wx wants them as wxString.
inline wxString ToWx(std::string_view text) {
    return wxString::FromUTF8(text.data(), text.size());
}

}  // namespace bravok
