// The keyboard on X: the server's key map, read on a connection of the
// keyboard's own. The input worker reads it from its own thread, and an Xlib
// connection may not be used by two threads at once: the toolkit's belongs to
// the window's thread.

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <array>
#include <bitset>
#include <mutex>

#include "base/AsyncKeyTable.h"
#include "platform/Keyboard.h"
#include "platform/VirtualKeys.h"
#include "platform/x11/KeySyms.h"

namespace bravok {

namespace {

constexpr int kKeycodeCount = 256;
using KeycodeSet = std::bitset<kKeycodeCount>;

class X11Keyboard final : public IKeyboardState {
  public:
    explicit X11Keyboard(Display* display) : m_display(display) { ReadMappingLocked(); }
    ~X11Keyboard() override { XCloseDisplay(m_display); }
    X11Keyboard(const X11Keyboard&) = delete;
    X11Keyboard& operator=(const X11Keyboard&) = delete;

    bool IsDown(int vk) override {
        if (vk < 0 || vk >= AsyncKeyTable::kKeyCount) return false;
        std::scoped_lock lock(m_connectionLock);
        FollowMappingChangesLocked();
        if (vk == VK_LBUTTON) return (PointerButtonsLocked() & Button1Mask) != 0;
        if (m_keycodes[vk].none()) return false;
        char keymap[kKeycodeCount / 8] = {};
        XQueryKeymap(m_display, keymap);
        for (int keycode = 0; keycode < kKeycodeCount; ++keycode)
            if (m_keycodes[vk][keycode] && ((keymap[keycode >> 3] >> (keycode & 7)) & 1))
                return true;
        return false;
    }

  private:
    // Which hardware keys stand for each virtual key: every key whose first
    // symbol, with no modifier and in the first group, names it. So the right
    // Shift is Shift_R's key, however the layout numbers the keys.
    void ReadMappingLocked() {
        for (auto& keys : m_keycodes) keys.reset();
        int first = 0, last = 0, perKeycode = 0;
        XDisplayKeycodes(m_display, &first, &last);
        KeySym* symbols = XGetKeyboardMapping(m_display, static_cast<KeyCode>(first),
                                              last - first + 1, &perKeycode);
        if (symbols == nullptr) return;
        for (int keycode = first; keycode <= last && keycode < kKeycodeCount; ++keycode) {
            const int vk = VirtualKeyFromKeySym(symbols[(keycode - first) * perKeycode]);
            if (vk >= 0) m_keycodes[vk].set(keycode);
        }
        XFree(symbols);
    }

    // The server sends every client a notice when the keyboard mapping changes;
    // nothing else is selected on this connection, and reading the notices
    // keeps them from piling up.
    void FollowMappingChangesLocked() {
        bool changed = false;
        while (XPending(m_display) > 0) {
            XEvent event;
            XNextEvent(m_display, &event);
            changed = changed || event.type == MappingNotify;
        }
        if (changed) ReadMappingLocked();
    }

    unsigned PointerButtonsLocked() {
        Window root = 0, child = 0;
        int rootX = 0, rootY = 0, x = 0, y = 0;
        unsigned mask = 0;
        XQueryPointer(m_display, DefaultRootWindow(m_display), &root, &child, &rootX, &rootY, &x,
                      &y, &mask);
        return mask;
    }

    std::mutex m_connectionLock;  // guards m_display and m_keycodes
    Display* m_display;           // owned; this keyboard's own connection
    std::array<KeycodeSet, AsyncKeyTable::kKeyCount> m_keycodes{};
};

}  // namespace

std::unique_ptr<IKeyboardState> OpenKeyboard(NativeDisplay display) {
    // The server behind the toolkit's connection.
    auto* toolkit = static_cast<::Display*>(display.connection);
    Display* own = XOpenDisplay(toolkit != nullptr ? DisplayString(toolkit) : nullptr);
    if (own == nullptr) return nullptr;
    return std::make_unique<X11Keyboard>(own);
}

int VirtualKeyFromKeySym(unsigned long keySym) {
    if (keySym >= XK_a && keySym <= XK_z) return static_cast<int>(keySym - XK_a) + VK_KEY_A;
    if (keySym >= XK_A && keySym <= XK_Z) return static_cast<int>(keySym - XK_A) + VK_KEY_A;
    if (keySym >= XK_0 && keySym <= XK_9) return static_cast<int>(keySym - XK_0) + '0';
    if (keySym >= XK_F1 && keySym <= XK_F24) return static_cast<int>(keySym - XK_F1) + VK_F1;
    switch (keySym) {
        case XK_Shift_L:
            return VK_LSHIFT;
        case XK_Shift_R:
            return VK_RSHIFT;
        case XK_Control_L:
            return VK_LCONTROL;
        case XK_Control_R:
            return VK_RCONTROL;
        case XK_Escape:
            return VK_ESCAPE;
        case XK_BackSpace:
            return VK_BACK;
        case XK_Insert:
            return VK_INSERT;
        case XK_Delete:
            return VK_DELETE;
        case XK_Left:
        case XK_KP_Left:
            return VK_LEFT;
        case XK_Up:
        case XK_KP_Up:
            return VK_UP;
        case XK_Right:
        case XK_KP_Right:
            return VK_RIGHT;
        case XK_Down:
        case XK_KP_Down:
            return VK_DOWN;
        default:
            return -1;
    }
}

}  // namespace bravok
