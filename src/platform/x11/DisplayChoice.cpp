#include "platform/x11/DisplayChoice.h"

namespace bravok {

DisplayChoice ChooseDisplay(std::optional<std::string_view> gdkBackend,
                            std::optional<std::string_view> displayName, bool xDisplayOpens) {
    DisplayChoice choice;
    if (!xDisplayOpens) {
        // GTK would say only that DISPLAY may be wrong, also where the
        // player asked for Wayland and DISPLAY is not the point.
        const std::string which = displayName ? "\"" + std::string(*displayName) + "\""
                                              : std::string("(DISPLAY is not set)");
        choice.problem = "cannot open the X display " + which + "; Bravok needs X11 or XWayland.";
        return choice;
    }
    if (gdkBackend && !gdkBackend->empty() && *gdkBackend != "x11")
        choice.notice = "GDK_BACKEND is \"" + std::string(*gdkBackend) +
                        "\", but Bravok runs through X11 (XWayland on a Wayland desktop): "
                        "mouse-look needs to move the pointer.";
    return choice;
}

}  // namespace bravok
