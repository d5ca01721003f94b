#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>

#include "base/AsyncKeyTable.h"
#include "platform/SoundService.h"
#include "scene/WindowServices.h"

namespace bravok {

// The main window as its input worker sees it, callable from the worker's
// thread. The window's thread keeps a snapshot of the window up to date here
// (positions and sizes in the display's own pixels, mouse-look's unit); the
// worker reads it, and its pointer moves and repaint requests are posted to
// the window's thread. Nothing here waits for that thread, since the worker
// calls in while it holds a lock the painting code also takes.
class FrameWindowServices final : public IWindowServices {
  public:
    using Work = std::function<void()>;
    // `post` hands work to the window's thread from any thread; `warp` moves the
    // pointer and `repaint` asks for a paint, both run on the window's thread.
    FrameWindowServices(AsyncKeyTable& keys, ISoundService& sound, std::function<void(Work)> post,
                        std::function<void(Point)> warp, Work repaint);

    Rect GetClientRect() const override;
    Point GetCursorPos() const override;
    Point ScreenToClient(Point screen) const override;
    Point ClientToScreen(Point client) const override;
    void SetCursorPos(Point screen) override;
    void InvalidateRect() override;
    AsyncKeyTable& GetKeyTable() override { return m_keys; }
    ISoundService& GetSoundService() override { return m_sound; }

    // The window's thread keeps these up to date.
    void SetClientArea(Rect client);  // the client area, status bar strip included
    void SetOrigin(Point origin);     // its top-left corner on the screen
    void SetCursor(Point screen);     // where the pointer is, held inside the clip
    void SetClip(std::optional<Rect> screenRect);
    // The client area in screen coordinates.
    Rect ClientRectOnScreen() const;

  private:
    AsyncKeyTable& m_keys;
    ISoundService& m_sound;
    std::function<void(Work)> m_post;
    std::function<void(Point)> m_warp;
    Work m_repaint;

    mutable std::mutex m_lock;  // guards the four fields below
    Rect m_client;
    Point m_origin;
    Point m_cursor;
    std::optional<Rect> m_clip;
    std::atomic<bool> m_repaintPending{false};
};

}  // namespace bravok
