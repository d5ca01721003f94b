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

// A window whose client area starts at `origin` on the screen, with a cursor the
// test places and a real key table the test presses keys in.
class FakeWindowServices : public IWindowServices {
  public:
    explicit FakeWindowServices(Rect client = {0, 0, 400, 300}, Point origin = {100, 50})
        : m_client(client), m_origin(origin) {}

    Rect GetClientRect() const override { return m_client; }
    Point GetCursorPos() const override {
        std::scoped_lock lock(m_mutex);
        ++m_cursorReads;
        return m_cursor;
    }
    Point ScreenToClient(Point p) const override { return {p.x - m_origin.x, p.y - m_origin.y}; }
    Point ClientToScreen(Point p) const override { return {p.x + m_origin.x, p.y + m_origin.y}; }
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

    // Test controls.
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
    template <typename F>
    void OnInvalidate(F f) {
        std::scoped_lock lock(m_mutex);
        m_onInvalidate = f;
    }
    void SetClient(Rect client) { m_client = client; }

    AsyncKeyTable m_keys;
    FakeSound m_sound;

  private:
    Rect m_client;
    Point m_origin;
    mutable std::mutex m_mutex;  // guards the cursor, the counters and the hook
    Point m_cursor{};
    mutable int m_cursorReads = 0;
    std::vector<Point> m_cursorSets;
    int m_invalidations = 0;
    std::function<void()> m_onInvalidate;
};

}  // namespace bravok::test
