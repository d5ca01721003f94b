// The Windows services the game reads keys and holds the pointer with, on the
// system itself (under Wine on the test run's X server).

#include <windows.h>

#include <gtest/gtest.h>

#include "Eventually.h"
#include "base/AsyncKeyTable.h"
#include "platform/Keyboard.h"
#include "platform/Pointer.h"

namespace bravok {
namespace {

// A window of the test's own in front, as the game's is when it holds the
// pointer: Wine hands a confinement to the thread of the window in front, which
// may otherwise be another program's, busy or gone.
class FrontWindow {
  public:
    FrontWindow()
        : m_window(CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"front", WS_POPUP | WS_VISIBLE, 0, 0,
                                   400, 300, nullptr, nullptr, nullptr, nullptr)) {
        SetForegroundWindow(m_window);
        Pump();
    }
    ~FrontWindow() { DestroyWindow(m_window); }
    FrontWindow(const FrontWindow&) = delete;
    FrontWindow& operator=(const FrontWindow&) = delete;

    static void Pump() {
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageW(&message);
    }

  private:
    HWND m_window;
};

bool SendKey(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return SendInput(1, &input, sizeof input) == 1;
}

// The table reads the system's key state, with no window and no key event of
// its own: what the keyboard holds is down, and the right-hand Shift counts
// as Shift.
TEST(Win32Keyboard, TheTableSeesWhatTheSystemHolds) {
    AsyncKeyTable keys;
    keys.AttachKeyboard(OpenKeyboard(NativeDisplay{}));
    for (auto [sent, asked] : {std::pair{VK_UP, VK_UP}, {'Z', 'Z'}, {VK_RSHIFT, VK_SHIFT}}) {
        EXPECT_EQ(keys.GetAsyncKeyState(asked), 0) << asked;
        ASSERT_TRUE(SendKey(static_cast<WORD>(sent), false));
        EXPECT_TRUE(test::Eventually([&] { return keys.GetAsyncKeyState(asked) != 0; })) << asked;
        ASSERT_TRUE(SendKey(static_cast<WORD>(sent), true));
        EXPECT_TRUE(test::Eventually([&] { return keys.GetAsyncKeyState(asked) == 0; })) << asked;
    }
}

bool SendButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return SendInput(1, &input, sizeof input) == 1;
}

// The primary button is the one the user chose: the right one on a mouse set
// up for the left hand, which the system itself reports as the right button.
TEST(Win32Keyboard, ThePrimaryButtonIsTheUsersChoice) {
    AsyncKeyTable keys;
    keys.AttachKeyboard(OpenKeyboard(NativeDisplay{}));
    // Set as the control panel sets it, so that the user's setting changes
    // and no value of this session alone stays to hide the next program's
    // (Wine keeps such values for as long as its server runs); put back after.
    const auto swap = [](BOOL swapped) {
        SystemParametersInfoW(SPI_SETMOUSEBUTTONSWAP, swapped, nullptr, SPIF_UPDATEINIFILE);
    };
    const struct Unswap {
        decltype(swap)& set;
        BOOL was;
        ~Unswap() { set(was); }
    } unswap{swap, GetSystemMetrics(SM_SWAPBUTTON)};
    struct Case {
        BOOL swapped;
        DWORD down, up;  // a physical button
        int role;        // what the game calls it
    };
    for (const Case& c : {Case{FALSE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, VK_LBUTTON},
                          Case{TRUE, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, VK_LBUTTON},
                          Case{TRUE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, VK_RBUTTON}}) {
        SCOPED_TRACE(c.swapped ? "swapped" : "as made");
        swap(c.swapped);
        ASSERT_TRUE(SendButton(c.down));
        EXPECT_TRUE(test::Eventually([&] { return keys.GetAsyncKeyState(c.role) != 0; })) << c.role;
        EXPECT_EQ(keys.GetAsyncKeyState(c.role == VK_LBUTTON ? VK_RBUTTON : VK_LBUTTON), 0);
        ASSERT_TRUE(SendButton(c.up));
        EXPECT_TRUE(test::Eventually([&] { return keys.GetAsyncKeyState(c.role) == 0; }));
    }
}

// The system holds the pointer inside the rectangle, against a move far
// outside, until the confinement is lifted.
TEST(Win32Pointer, ConfinementHoldsUntilLifted) {
    const FrontWindow front;
    const Rect box{100, 120, 300, 200};
    ConfinePointer(box);
    Point held;
    EXPECT_TRUE(test::Eventually([&] {
        FrontWindow::Pump();
        WarpPointer(NativeDisplay{}, {5000, 5000});
        held = PointerPosition(NativeDisplay{});
        return held.x >= box.left && held.x < box.right && held.y >= box.top && held.y < box.bottom;
    })) << held.x
        << "," << held.y;
    ConfinePointer(std::nullopt);
    WarpPointer(NativeDisplay{}, {3, 4});
    EXPECT_EQ(PointerPosition(NativeDisplay{}), (Point{3, 4}));
}

}  // namespace
}  // namespace bravok
