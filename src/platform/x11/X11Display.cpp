// The display on X: the one place besides the pointer's backend that speaks
// Xlib and GLX, whose macros clash with the toolkit's.

#include "platform/Display.h"

#include <GL/glx.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/x11/DisplayChoice.h"

namespace bravok {

namespace {

::Display* Connection(NativeDisplay display) {
    return static_cast<::Display*>(display.connection);
}

// Whether an X display can be opened (DISPLAY set and the server answering),
// over a connection of its own that is closed again at once.
bool CanOpenXDisplay() {
    const std::unique_ptr<::Display, int (*)(::Display*)> display(XOpenDisplay(nullptr),
                                                                  XCloseDisplay);
    return display != nullptr;
}

}  // namespace

std::optional<std::string> PrepareDisplay() {
    const auto variable = [](const char* name) -> std::optional<std::string_view> {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string_view>(value) : std::nullopt;
    };
    const DisplayChoice choice =
        ChooseDisplay(variable("GDK_BACKEND"), variable("DISPLAY"), CanOpenXDisplay());
    if (!choice.problem.empty()) return choice.problem;
    if (!choice.notice.empty()) std::fprintf(stderr, "bravok: %s\n", choice.notice.c_str());
    setenv("GDK_BACKEND", "x11", 1);
    return std::nullopt;
}

bool DisplayHasOpenGL(NativeDisplay display) {
    int errorBase = 0, eventBase = 0;
    return Connection(display) != nullptr &&
           glXQueryExtension(Connection(display), &errorBase, &eventBase);
}

void MakeNoContextCurrent() {
    if (glXGetCurrentContext() != nullptr) glXMakeCurrent(glXGetCurrentDisplay(), None, nullptr);
}

VisualTraits DescribeVisual(const NativeWindow& window) {
    VisualTraits traits;
    const auto* visual = static_cast<const XVisualInfo*>(window.visual);
    if (visual == nullptr) return traits;
    traits.depth = visual->depth;
    traits.colourMapped = visual->c_class == PseudoColor || visual->c_class == GrayScale;
    return traits;
}

KeySide SideOfKey(NativeDisplay display, unsigned rawKeyFlags) {
    // The raw flags are the hardware key code. Its symbol with no modifier
    // applied is Shift_R for the right Shift key whatever else is held; the
    // symbol the toolkit reports follows the modifiers.
    const unsigned keycode = rawKeyFlags;
    if (Connection(display) == nullptr || keycode < 8 || keycode > 255) return KeySide::Left;
    const KeySym symbol =
        XkbKeycodeToKeysym(Connection(display), static_cast<KeyCode>(keycode), 0, 0);
    return symbol == XK_Shift_R || symbol == XK_Control_R ? KeySide::Right : KeySide::Left;
}

}  // namespace bravok
