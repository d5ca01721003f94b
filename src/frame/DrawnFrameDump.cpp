#include "frame/DrawnFrameDump.h"

#include <GL/gl.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace bravok {

DrawnFrameDump::DrawnFrameDump() {
    if (const char* path = std::getenv("BRAVOK_FRAME_DUMP")) m_path = path;
}

void DrawnFrameDump::Save(int width, int height, int screenX, int screenY, int viewHeight) {
    using namespace std::chrono_literals;
    const auto now = std::chrono::steady_clock::now();
    if (!Enabled() || width <= 0 || height <= 0 || now - m_lastSaved < 50ms) return;
    m_lastSaved = now;

    const auto rowBytes = static_cast<std::size_t>(width) * 3;
    std::vector<unsigned char> pixels(rowBytes * static_cast<std::size_t>(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());

    // Written beside the file and renamed over it, so a reader never sees half a picture.
    const std::string partial = m_path + ".partial";
    {
        std::ofstream out(partial, std::ios::binary);
        out << "P6\n# view " << screenX << ' ' << screenY << ' ' << viewHeight << '\n'
            << width << ' ' << height << "\n255\n";
        // OpenGL's rows run from the bottom up, the picture's from the top down.
        for (int row = height - 1; row >= 0; --row)
            out.write(reinterpret_cast<const char*>(pixels.data()) + rowBytes * row,
                      static_cast<std::streamsize>(rowBytes));
        if (!out) return;
    }
    std::error_code ignored;
    std::filesystem::rename(partial, m_path, ignored);
}

}  // namespace bravok
