#include "frame/FirstFrameMark.h"

#include <cstdlib>
#include <fstream>

namespace bravok {

FirstFrameMark::FirstFrameMark() {
    if (const char* path = std::getenv("BRAVOK_FIRST_FRAME_MARK")) m_path = path;
}

void FirstFrameMark::Swapped() {
    if (m_path.empty()) return;
    std::ofstream{m_path};
    m_path.clear();
}

}  // namespace bravok
