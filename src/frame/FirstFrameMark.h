#pragma once

#include <string>

namespace bravok {

// A mark for timing the game's start. Off unless the environment variable
// BRAVOK_FIRST_FRAME_MARK names a file: then, once the first frame's buffer
// swap has returned, an empty file is made there. scripts/first-frame.sh times
// the Windows program under Wine by it, where no library can be slipped in to
// see the swap, and where reading a frame back to save it (BRAVOK_FRAME_DUMP)
// would itself take tens of milliseconds.
class FirstFrameMark {
  public:
    FirstFrameMark();
    // Called after every swap; makes the file after the first.
    void Swapped();

  private:
    std::string m_path;  // empty once made, or when off
};

}  // namespace bravok
