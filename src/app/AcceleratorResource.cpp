#include "app/AcceleratorResource.h"

#include <wx/defs.h>

#include <array>

#include "frame/CommandIds.h"
#include "frame/KeyMap.h"
#include "platform/VirtualKeys.h"

namespace bravok {

namespace {

constexpr auto kMainFrameAccelerators = std::to_array<AcceleratorResource>({
    {kAccelControl, 'N', ID_FILE_NEW},
    {kAccelControl, 'O', ID_FILE_OPEN},
    {kAccelControl, 'S', ID_FILE_SAVE},
    {kAccelControl, 'Z', ID_EDIT_UNDO},
    {kAccelControl, 'X', ID_EDIT_CUT},
    {kAccelControl, 'C', ID_EDIT_COPY},
    {kAccelControl, 'V', ID_EDIT_PASTE},
    {kAccelAlt, VK_BACK, ID_EDIT_UNDO},
    {kAccelShift, VK_DELETE, ID_EDIT_CUT},
    {kAccelControl, VK_INSERT, ID_EDIT_COPY},
    {kAccelShift, VK_INSERT, ID_EDIT_PASTE},
    {kAccelPlain, VK_F6, ID_NEXT_PANE},
    {kAccelShift, VK_F6, ID_PREV_PANE},
});

int WxFlags(unsigned modifiers) {
    int flags = wxACCEL_NORMAL;
    if (modifiers & kAccelShift) flags |= wxACCEL_SHIFT;
    if (modifiers & kAccelControl) flags |= wxACCEL_CTRL;
    if (modifiers & kAccelAlt) flags |= wxACCEL_ALT;
    return flags;
}

}  // namespace

std::span<const AcceleratorResource> MainFrameAccelerators() {
    return kMainFrameAccelerators;
}

wxAcceleratorEntry ToWxAcceleratorEntry(const AcceleratorResource& accelerator) {
    return wxAcceleratorEntry(WxFlags(accelerator.modifiers), WxKeyCode(accelerator.virtualKey),
                              WxId(accelerator.command));
}

std::vector<wxAcceleratorEntry> MainFrameAcceleratorEntries() {
    std::vector<wxAcceleratorEntry> entries;
    for (const AcceleratorResource& accelerator : kMainFrameAccelerators)
        entries.push_back(ToWxAcceleratorEntry(accelerator));
    return entries;
}

wxAcceleratorTable CreateMainAcceleratorTable() {
    const std::vector<wxAcceleratorEntry> entries = MainFrameAcceleratorEntries();
    return wxAcceleratorTable(static_cast<int>(entries.size()), entries.data());
}

}  // namespace bravok
