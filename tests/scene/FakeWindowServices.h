#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/AsyncKeyTable.h"
#include "platform/SoundService.h"
#include "platform/WindowServices.h"

namespace bravok::test {

// Records what the player asks of its sound service.
class FakeSound : public ISoundService {
  public:
    void PlayAsync(const char* path) override {
        std::scoped_lock lock(m_mutex);
        m_played.emplace_back(path);
    }
    std::vector<std::string> Played() const {
        std::scoped_lock lock(m_mutex);
        return m_played;
    }

  private:
    mutable std::mutex m_mutex;  // guards m_played
    std::vector<std::string> m_played;
};

// A window whose client area starts at (100, 50) on the screen, with a cursor
// the test places and a real key table the test presses keys in.
class FakeWindowServices : public IWindowServices {
  public:
    Rect GetClientRect() const override { return m_client; }
    Point GetCursorPos() const override {
        std::scoped_lock lock(m_mutex);
        ++m_cursorReads;
        return m_cursor;
    }
    Point ScreenToClient(Point p) const override { return {p.x - 100, p.y - 50}; }
    Point ClientToScreen(Point p) const override { return {p.x + 100, p.y + 50}; }
    void SetCursorPos(Point screen) override {
        std::scoped_lock lock(m_mutex);
        m_cursor = screen;
        m_cursorSets.push_back(screen);
    }
    void InvalidateRect() override {
        std::scoped_lock lock(m_mutex);
        ++m_invalidations;
        if (m_onInvalidate) m_onInvalidate();
    }
    AsyncKeyTable& GetKeyTable() override { return m_keys; }
    ISoundService& GetSoundService() override { return m_sound; }

    void PlaceCursorInClient(Point client) {
        std::scoped_lock lock(m_mutex);
        m_cursor = ClientToScreen(client);
    }
    Point CursorInClient() const {
        std::scoped_lock lock(m_mutex);
        return ScreenToClient(m_cursor);
    }
    std::vector<Point> CursorSets() const {
        std::scoped_lock lock(m_mutex);
        return m_cursorSets;
    }
    int Invalidations() const {
        std::scoped_lock lock(m_mutex);
        return m_invalidations;
    }
    int CursorReads() const {
        std::scoped_lock lock(m_mutex);
        return m_cursorReads;
    }
    void OnInvalidate(std::function<void()> f) {
        std::scoped_lock lock(m_mutex);
        m_onInvalidate = std::move(f);
    }
    void SetClient(Rect client) { m_client = client; }

    AsyncKeyTable m_keys;
    FakeSound m_sound;

  private:
    Rect m_client{0, 0, 400, 300};
    mutable std::mutex m_mutex;  // guards the cursor, the counters and the hook
    Point m_cursor{};
    mutable int m_cursorReads = 0;
    std::vector<Point> m_cursorSets;
    int m_invalidations = 0;
    std::function<void()> m_onInvalidate;
};

}  // namespace bravok::test
