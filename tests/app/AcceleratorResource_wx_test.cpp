#include <gtest/gtest.h>
#include <wx/event.h>

#include "app/AcceleratorResource.h"
#include "frame/CommandIds.h"

namespace bravok {
namespace {

wxKeyEvent KeyDown(int modifiers, int keyCode) {
    wxKeyEvent event(wxEVT_KEY_DOWN);
    event.m_keyCode = keyCode;
    event.SetControlDown(modifiers & wxACCEL_CTRL);
    event.SetAltDown(modifiers & wxACCEL_ALT);
    event.SetShiftDown(modifiers & wxACCEL_SHIFT);
    return event;
}

struct KeyCase {
    int modifiers;
    int keyCode;
    unsigned command;  // 0: no command
};

// Each key of the table reaches its command; the same keys with other modifiers
// reach nothing, or the other entry of their pair.
TEST(MainAcceleratorTable, KeysReachTheirCommands) {
    const wxAcceleratorTable table = CreateMainAcceleratorTable();
    ASSERT_TRUE(table.IsOk());
    const KeyCase cases[] = {
        {wxACCEL_CTRL, 'N', ID_FILE_NEW},
        {wxACCEL_CTRL, 'O', ID_FILE_OPEN},
        {wxACCEL_CTRL, 'S', ID_FILE_SAVE},
        {wxACCEL_CTRL, 'Z', ID_EDIT_UNDO},
        {wxACCEL_CTRL, 'X', ID_EDIT_CUT},
        {wxACCEL_CTRL, 'C', ID_EDIT_COPY},
        {wxACCEL_CTRL, 'V', ID_EDIT_PASTE},
        {wxACCEL_ALT, WXK_BACK, ID_EDIT_UNDO},
        {wxACCEL_SHIFT, WXK_DELETE, ID_EDIT_CUT},
        {wxACCEL_CTRL, WXK_INSERT, ID_EDIT_COPY},
        {wxACCEL_SHIFT, WXK_INSERT, ID_EDIT_PASTE},
        {wxACCEL_NORMAL, WXK_F6, ID_NEXT_PANE},
        {wxACCEL_SHIFT, WXK_F6, ID_PREV_PANE},
        {wxACCEL_NORMAL, 'N', 0},
        {wxACCEL_NORMAL, 'Z', 0},
        {wxACCEL_ALT, 'N', 0},
        {wxACCEL_NORMAL, WXK_BACK, 0},
        {wxACCEL_NORMAL, WXK_DELETE, 0},
        {wxACCEL_NORMAL, WXK_INSERT, 0},
        {wxACCEL_CTRL, WXK_F6, 0},
        {wxACCEL_CTRL, 'A', 0},
    };
    for (const KeyCase& key : cases) {
        SCOPED_TRACE(testing::Message()
                     << "modifiers " << key.modifiers << ", key " << key.keyCode);
        const int expected = key.command ? WxId(key.command) : -1;
        EXPECT_EQ(table.GetCommand(KeyDown(key.modifiers, key.keyCode)), expected);
    }
}

}  // namespace
}  // namespace bravok
