// The keyboard on X: the server's key map, read on a connection of the
// keyboard's own. The input worker reads it from its own thread, and an Xlib
// connection may not be used by two threads at once: the toolkit's belongs to
// the window's thread.

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <cstring>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

#include "platform/Keyboard.h"
#include "platform/VirtualKeys.h"
#include "platform/x11/KeySyms.h"

namespace bravok {

namespace {

constexpr int kKeycodeCount = 256;
using KeycodeSet = std::bitset<kKeycodeCount>;
// Which keys stand for each virtual key.
using KeyMapping = std::array<KeycodeSet, kVirtualKeyCount>;

struct KeyboardDescFree {
    void operator()(XkbDescPtr desc) const { XkbFreeKeyboard(desc, 0, True); }
};
using KeyboardDesc = std::unique_ptr<XkbDescRec, KeyboardDescFree>;

class X11Keyboard final : public IKeyboardState {
  public:
    X11Keyboard(Display* display, int xkbEventBase)
        : m_display(display), m_xkbEventBase(xkbEventBase) {
        // The keyboard's notices of a new layout or a changed key map; the
        // group in use and NumLock are read at each query instead.
        constexpr unsigned kChanges = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
        XkbSelectEvents(m_display, XkbUseCoreKbd, kChanges, kChanges);
        ReadMappingLocked();
    }
    ~X11Keyboard() override { XCloseDisplay(m_display); }
    X11Keyboard(const X11Keyboard&) = delete;
    X11Keyboard& operator=(const X11Keyboard&) = delete;

    bool IsDown(int vk) override {
        if (vk < 0 || vk >= kVirtualKeyCount) return false;
        std::scoped_lock lock(m_connectionLock);
        FollowMappingChangesLocked();
        if (vk == VK_LBUTTON) return (PointerButtonsLocked() & Button1Mask) != 0;
        XkbStateRec state{};
        XkbGetState(m_display, XkbUseCoreKbd, &state);
        const bool numLock = (state.locked_mods & m_numLockMask) != 0;
        const KeycodeSet& keys = m_mappings[state.group % XkbNumKbdGroups][numLock ? 1 : 0][vk];
        if (keys.none()) return false;
        char keymap[kKeycodeCount / 8] = {};
        XQueryKeymap(m_display, keymap);
        for (int keycode = 0; keycode < kKeycodeCount; ++keycode)
            if (keys[keycode] && ((keymap[keycode >> 3] >> (keycode & 7)) & 1)) return true;
        return false;
    }

  private:
    // Which hardware keys stand for each virtual key, in each group the
    // keyboard may be switched to and with NumLock off and on: the symbol a key
    // gives there with no other modifier, read by the layout rule of
    // VirtualKeysOfLayout. So the right Shift is Shift_R's key however the
    // keyboard numbers its keys, and the keypad's 8 is Up only without NumLock.
    void ReadMappingLocked() {
        for (auto& group : m_mappings)
            for (auto& mapping : group)
                for (auto& keys : mapping) keys.reset();
        const KeyboardDesc desc(XkbGetMap(m_display, XkbAllClientInfoMask, XkbUseCoreKbd));
        if (desc == nullptr) return;
        // Without the keys' names no key has a US place: only letters shown count.
        const bool named = XkbGetNames(m_display, XkbKeyNamesMask, desc.get()) == Success &&
                           desc->names != nullptr && desc->names->keys != nullptr;
        const int first = desc->min_key_code;
        const int last = std::min<int>(desc->max_key_code, kKeycodeCount - 1);
        m_numLockMask = NumLockMask(*desc, first, last);
        for (unsigned group = 0; group < XkbNumKbdGroups; ++group) {
            for (int numLock = 0; numLock < 2; ++numLock) {
                const unsigned mods = XkbBuildCoreState(numLock ? m_numLockMask : 0, group);
                std::vector<LayoutKey> keys;
                for (int keycode = first; keycode <= last; ++keycode) {
                    unsigned modsUsed = 0;
                    KeySym symbol = NoSymbol;
                    XkbTranslateKeyCode(desc.get(), static_cast<KeyCode>(keycode), mods, &modsUsed,
                                        &symbol);
                    const char* name = named ? desc->names->keys[keycode].name : "";
                    keys.push_back({keycode, symbol,
                                    UsLetterOfKeyName(std::string_view(name, strnlen(name, 4)))});
                }
                const std::vector<int> virtualKeys = VirtualKeysOfLayout(keys);
                for (std::size_t i = 0; i < keys.size(); ++i)
                    if (virtualKeys[i] >= 0 && virtualKeys[i] < kVirtualKeyCount)
                        m_mappings[group][numLock][virtualKeys[i]].set(keys[i].keycode);
            }
        }
    }

    // The modifier bits of the keys that give Num_Lock.
    static unsigned NumLockMask(const XkbDescRec& desc, int first, int last) {
        unsigned mask = 0;
        for (int keycode = first; keycode <= last; ++keycode) {
            const auto code = static_cast<KeyCode>(keycode);
            const KeySym* symbols = XkbKeySymsPtr(&desc, code);
            for (int i = 0; i < XkbKeyNumSyms(&desc, code); ++i)
                if (symbols[i] == XK_Num_Lock) mask |= desc.map->modmap[keycode];
        }
        return mask;
    }

    // Only the keyboard's notices are selected on this connection (the core
    // mapping notice comes to every client unasked); reading them keeps them
    // from piling up.
    void FollowMappingChangesLocked() {
        bool changed = false;
        while (XPending(m_display) > 0) {
            XEvent event;
            XNextEvent(m_display, &event);
            changed = changed || event.type == MappingNotify || event.type == m_xkbEventBase;
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

    std::mutex m_connectionLock;  // guards all below
    Display* m_display;           // owned; this keyboard's own connection
    int m_xkbEventBase;
    unsigned m_numLockMask = 0;
    // By group, then NumLock off and on.
    std::array<std::array<KeyMapping, 2>, XkbNumKbdGroups> m_mappings{};
};

}  // namespace

std::unique_ptr<IKeyboardState> OpenKeyboard(NativeDisplay display) {
    // The server behind the toolkit's connection, with its keyboard extension,
    // which knows the layout's groups: without it the key events the window
    // receives stand in for the keyboard.
    auto* toolkit = static_cast<::Display*>(display.connection);
    int major = XkbMajorVersion, minor = XkbMinorVersion, eventBase = 0, reason = 0;
    Display* own = XkbOpenDisplay(toolkit != nullptr ? DisplayString(toolkit) : nullptr, &eventBase,
                                  nullptr, &major, &minor, &reason);
    if (own == nullptr) return nullptr;
    return std::make_unique<X11Keyboard>(own, eventBase);
}

}  // namespace bravok
