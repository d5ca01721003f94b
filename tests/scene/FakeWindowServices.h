#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "base/AsyncKeyTable.h"
#include "platform/SoundService.h"
#include "scene/WindowServices.h"

namespace bravok::test {

// A window whose 400 x 300 client area starts at (100, 50) on the screen, with a
// real key table, and a sound service that records what it is asked to play.
class FakeWindowServices : public IWindowServices, public ISoundService {
  public:
    Rect GetClientRect() const override { return m_client; }
    Point GetCursorPos() const override { return Read(m_cursor); }
    Point ScreenToClient(Point p) const override { return {p.x - 100, p.y - 50}; }
    Point ClientToScreen(Point p) const override { return {p.x + 100, p.y + 50}; }
    void SetCursorPos(Point screen) override {
        std::scoped_lock lock(m_mutex);
        m_cursor = screen;
        ++m_cursorSets;
    }
    void InvalidateRect() override {
        std::scoped_lock lock(m_mutex);
        ++m_invalidations;
        if (m_onInvalidate) m_onInvalidate();
    }
    AsyncKeyTable& GetKeyTable() override { return m_keys; }
    ISoundService& GetSoundService() override { return *this; }
    void PlayAsync(const char* path) override {
        std::scoped_lock lock(m_mutex);
        m_played.emplace_back(path);
    }

    template <typename T>
    T Read(const T& field) const {
        std::scoped_lock lock(m_mutex);
        return field;
    }
    void PlaceCursorInClient(Point client) { SetCursorPos(ClientToScreen(client)); }
    Point CursorInClient() const { return ScreenToClient(Read(m_cursor)); }

    AsyncKeyTable m_keys;
    Rect m_client{0, 0, 400, 300};
    std::function<void()> m_onInvalidate;  // set before the first tick
    // Guarded by m_mutex: read them through Read.
    std::vector<std::string> m_played;
    int m_invalidations = 0;
    int m_cursorSets = 0;

  private:
    mutable std::mutex m_mutex;  // guards the cursor, the counters and the sounds
    Point m_cursor{};
};

}  // namespace bravok::test
