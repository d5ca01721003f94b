#pragma once

#include <chrono>
#include <string>

namespace bravok {

// A test-only copy of what the view drew. Off unless the environment variable
// BRAVOK_FRAME_DUMP names a file: then each frame, read back from the back
// buffer just before the swap, is saved there (at most every 50 ms) as a binary
// PPM, with a comment line "# view X Y H" giving the view's top-left corner on
// the screen and its height, the part under the status bar included, in pixels. Tests read the
// picture from there where the screen shows none of it (OpenGL in a child window under Wine on a
// virtual X server).
class DrawnFrameDump {
  public:
    DrawnFrameDump();

    bool Enabled() const { return !m_path.empty(); }

    // Saves the current GL context's back buffer of width x height pixels,
    // whose top-left corner lies at screenX, screenY, of a view viewHeight
    // pixels high. A failure to write is left for the test to see as a missing
    // or stale picture.
    void Save(int width, int height, int screenX, int screenY, int viewHeight);

  private:
    std::string m_path;
    std::chrono::steady_clock::time_point m_lastSaved{};
};

}  // namespace bravok
