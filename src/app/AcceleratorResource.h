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

struct AcceleratorResource {
    unsigned modifiers;  // AcceleratorModifier flags
    int virtualKey;      // platform/VirtualKeys.h
    unsigned command;
};

// The accelerator table of IDR_MAINFRAME, in its order.
std::span<const AcceleratorResource> MainFrameAccelerators();

// One entry as wx sees it: wxACCEL_* flags, WXK_* or character key code, the
// command's wx id.
wxAcceleratorEntry ToWxAcceleratorEntry(const AcceleratorResource& accelerator);

std::vector<wxAcceleratorEntry> MainFrameAcceleratorEntries();

// The table the main window installs with SetAcceleratorTable().
wxAcceleratorTable CreateMainAcceleratorTable();

}  // namespace bravok
