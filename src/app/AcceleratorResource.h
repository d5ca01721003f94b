#pragma once

#include <wx/accel.h>

#include <span>
#include <vector>

namespace bravok {

// Modifier flags of an accelerator entry; they combine.
enum AcceleratorModifier : unsigned {
    kAccelPlain = 0,
    kAccelShift = 1u << 0,
    kAccelControl = 1u << 1,
    kAccelAlt = 1u << 2,
};

// Virtual-key codes the accelerator table uses besides the letters, which are
// their own upper-case character codes.
inline constexpr int kVirtualKeyBackspace = 0x08;
inline constexpr int kVirtualKeyInsert = 0x2D;
inline constexpr int kVirtualKeyDelete = 0x2E;
inline constexpr int kVirtualKeyF1 = 0x70;  // F1 to F24 follow one another
inline constexpr int kVirtualKeyF6 = kVirtualKeyF1 + 5;

struct AcceleratorResource {
    unsigned modifiers;  // AcceleratorModifier flags
    int virtualKey;
    unsigned command;
};

// The accelerator table of IDR_MAINFRAME, in its order.
std::span<const AcceleratorResource> MainFrameAccelerators();

// The wx key code of a virtual key, or 0 for one the program has no use for.
int WxKeyCode(int virtualKey);

// One entry as wx sees it: wxACCEL_* flags, WXK_* or character key code, the
// command's wx id.
wxAcceleratorEntry ToWxAcceleratorEntry(const AcceleratorResource& accelerator);

std::vector<wxAcceleratorEntry> MainFrameAcceleratorEntries();

// The table the main window installs with SetAcceleratorTable().
wxAcceleratorTable CreateMainAcceleratorTable();

}  // namespace bravok
