#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace bravok {

// What the game makes of the display it is given: it always goes through X,
// since mouse-look moves the pointer, which a Wayland client may not do.
struct DisplayChoice {
    std::string notice;   // a line for the player while the game goes on, or empty
    std::string problem;  // why the game cannot open its window, or empty
};

// `gdkBackend` and `displayName` are the environment's GDK_BACKEND and DISPLAY
// (nothing when unset); `xDisplayOpens` whether an X display answered.
DisplayChoice ChooseDisplay(std::optional<std::string_view> gdkBackend,
                            std::optional<std::string_view> displayName, bool xDisplayOpens);

}  // namespace bravok
