#include <cmath>

#include "base/AsyncKeyTable.h"
#include "platform/SoundService.h"
#include "platform/VirtualKeys.h"
#include "scene/Angles.h"
#include "scene/Player.h"

namespace bravok {

namespace {

bool IsDown(std::int16_t state) {
    return (state & AsyncKeyTable::kDownBit) != 0;
}

}  // namespace

CPlayer::InputLoopState CPlayer::BeginInputLoop(IWindowServices& owner) {
    const Rect client = owner.GetClientRect();
    InputLoopState state;
    state.width = client.right;
    state.height = client.bottom;
    state.centreX = state.width >> 1;
    state.centreY = state.height >> 1;
    state.lastX = state.centreX;
    state.lastY = state.centreY;
    return state;
}

void CPlayer::ThreadProc() {
    if (m_pFrame == nullptr) return;
    IWindowServices& owner = *m_pFrame;
    InputLoopState state = BeginInputLoop(owner);
    while (WaitForNextTick(m_hStopEvent.get())) InputTick(owner, state);
}

void CPlayer::InputTick(IWindowServices& owner, InputLoopState& state) {
    AsyncKeyTable& keys = owner.GetKeyTable();
    {
        std::scoped_lock lock(m_lock);
        // Moves along the heading ignore the pitch; the strafe direction is at
        // right angles to it. Each is taken with the heading of its own step.
        auto heading = [this] { return m_rotY * kDegreesToRadians; };
        auto strafe = [this] { return (90.0f - m_rotY) * kDegreesToRadians; };
        // Shift is asked afresh for every arrow that needs it.
        auto shiftDown = [&keys] { return IsDown(keys.GetAsyncKeyState(VK_SHIFT)); };

        // Up and Down count a press since the last tick too, so a tap between two
        // ticks still moves the player once.
        if (keys.GetAsyncKeyState(VK_UP) != 0) {
            if (shiftDown()) {
                m_posY -= kMoveStep;  // the eye rises
            } else {
                m_posX -= std::sin(heading());
                m_posZ += std::cos(heading());
            }
        }
        if (keys.GetAsyncKeyState(VK_DOWN) != 0) {
            if (shiftDown()) {
                m_posY += kMoveStep;
            } else {
                m_posX += std::sin(heading());
                m_posZ -= std::cos(heading());
            }
        }
        if (IsDown(keys.GetAsyncKeyState(VK_RIGHT))) {
            if (shiftDown() || m_mouseLook.load() != 0) {
                m_posX -= std::sin(strafe());
                m_posZ -= std::cos(strafe());
            } else {
                m_rotY = AngleUp(m_rotY, kKeyTurnStep);
            }
        }
        if (IsDown(keys.GetAsyncKeyState(VK_LEFT))) {
            if (shiftDown() || m_mouseLook.load() != 0) {
                m_posX += std::sin(strafe());
                m_posZ += std::cos(strafe());
            } else {
                m_rotY = AngleDown(m_rotY, kKeyTurnStep);
            }
        }
        if (IsDown(keys.GetAsyncKeyState(VK_KEY_A))) m_rotX = AngleDown(m_rotX, kKeyTurnStep);
        if (IsDown(keys.GetAsyncKeyState(VK_KEY_Z))) m_rotX = AngleUp(m_rotX, kKeyTurnStep);

        // One shot at most per tick. The button is asked before the mode so that
        // a click made outside mouse-look is used up and cannot fire later.
        const bool fire = IsDown(keys.GetAsyncKeyState(VK_CONTROL)) ||
                          (keys.GetAsyncKeyState(VK_LBUTTON) != 0 && m_mouseLook.load() != 0);
        if (fire) owner.GetSoundService().PlayAsync(kShotSound);

        if (m_mouseLook.load() != 0) MouseLookLocked(owner, state);
    }
    owner.InvalidateRect();
}

void CPlayer::MouseLookLocked(IWindowServices& owner, InputLoopState& state) {
    // The edges and the centre of the client area as it is now, not as it was
    // when the loop began: the window may have been laid out again since (its
    // menu bar joins at the first paint) or resized, and a cursor held on an
    // edge the loop does not know would never be brought back.
    const Rect client = owner.GetClientRect();
    state.width = client.right;
    state.height = client.bottom;
    state.centreX = state.width >> 1;
    state.centreY = state.height >> 1;
    Point cursor = owner.ScreenToClient(owner.GetCursorPos());
    // Only the direction of a movement counts, never its size.
    if (cursor.x > state.lastX) m_rotY = AngleUp(m_rotY, kMouseTurnStep);
    if (cursor.x < state.lastX) m_rotY = AngleDown(m_rotY, kMouseTurnStep);
    if (cursor.y > state.lastY) m_rotX = AngleUp(m_rotX, kMousePitchStep);
    if (cursor.y < state.lastY) m_rotX = AngleDown(m_rotX, kMousePitchStep);
    if (cursor.x == state.lastX && cursor.y == state.lastY) return;

    // The window confines the captured cursor to its client area, so it comes to
    // rest on an edge; bringing that coordinate back to the centre lets the turn
    // go on. The jump back causes no turn, since the last position follows it.
    if (cursor.x == 0 || cursor.x == state.width - 1) cursor.x = state.centreX;
    if (cursor.y == 0 || cursor.y == state.height - 1) cursor.y = state.centreY;
    state.lastX = cursor.x;
    state.lastY = cursor.y;
    owner.SetCursorPos(owner.ClientToScreen(cursor));
}

}  // namespace bravok
