#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>

namespace bravok::test {

// A fresh folder for the test, made the current folder while the object lives,
// since the model reads its mesh by a relative name.
class ScopedTempDir {
  public:
    ScopedTempDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = std::filesystem::temp_directory_path() /
                 (std::string("bravok-") + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_path);
    }
    ~ScopedTempDir() {
        std::filesystem::current_path(m_previous);
        std::filesystem::remove_all(m_path);
    }
    const std::filesystem::path& Path() const { return m_path; }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(m_path / name, std::ios::binary) << bytes;
        return (m_path / name).string();
    }

  private:
    std::filesystem::path m_path;
    std::filesystem::path m_previous;
};

inline std::array<float, 16> CurrentMatrix(GLenum which = GL_MODELVIEW_MATRIX) {
    std::array<float, 16> m{};
    glGetFloatv(which, m.data());
    return m;
}

// Where the current model-view matrix takes a point (column-major, w = 1).
inline std::array<double, 3> Transform(const std::array<float, 16>& m, double x, double y,
                                       double z) {
    return {m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
            m[2] * x + m[6] * y + m[10] * z + m[14]};
}

}  // namespace bravok::test
