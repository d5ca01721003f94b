#include "app/AcceleratorResource.h"

#include <wx/defs.h>

#include <array>

#include "frame/CommandIds.h"

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
    {kAccelAlt, kVirtualKeyBackspace, ID_EDIT_UNDO},
    {kAccelShift, kVirtualKeyDelete, ID_EDIT_CUT},
    {kAccelControl, kVirtualKeyInsert, ID_EDIT_COPY},
    {kAccelShift, kVirtualKeyInsert, ID_EDIT_PASTE},
    {kAccelPlain, kVirtualKeyF6, ID_NEXT_PANE},
    {kAccelShift, kVirtualKeyF6, ID_PREV_PANE},
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

int WxKeyCode(int virtualKey) {
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return virtualKey;
    if (virtualKey >= kVirtualKeyF1 && virtualKey < kVirtualKeyF1 + 24)
        return WXK_F1 + (virtualKey - kVirtualKeyF1);
    switch (virtualKey) {
        case kVirtualKeyBackspace:
            return WXK_BACK;
        case kVirtualKeyInsert:
            return WXK_INSERT;
        case kVirtualKeyDelete:
            return WXK_DELETE;
        default:
            return 0;
    }
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
