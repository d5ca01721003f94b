#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace bravok::test {

// A fresh folder of the test's own (made new under a random name: parallel runs
// never share it), removed with its contents; with enter set, the current
// folder while it lives.
class TempDir {
  public:
    explicit TempDir(bool enter = false) {
        std::random_device random;
        for (int tries = 0; tries < 100 && m_path.empty(); ++tries) {
            auto path =
                std::filesystem::temp_directory_path() / ("bravok-" + std::to_string(random()));
            if (std::filesystem::create_directory(path)) m_path = path;
        }
        if (m_path.empty()) ADD_FAILURE() << "no new temporary folder";
        if (enter) {
            m_previous = std::filesystem::current_path();
            std::filesystem::current_path(m_path);
        }
    }
    ~TempDir() {
        if (!m_previous.empty()) std::filesystem::current_path(m_previous);
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(m_path / name, std::ios::binary) << bytes;
        return (m_path / name).string();
    }
    // A file that says it holds `bytes` bytes and takes no room: holes only.
    std::string WriteHoles(const std::string& name, std::streamoff bytes) const {
        std::ofstream(m_path / name, std::ios::binary).seekp(bytes - 1).put('\0');
        return (m_path / name).string();
    }

  private:
    std::filesystem::path m_path;
    std::filesystem::path m_previous;
};

}  // namespace bravok::test
