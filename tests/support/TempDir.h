#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace bravok::test {

// A fresh folder of the test's own (mkdtemp: parallel runs never share it),
// removed with its contents; with enter set, the current folder while it lives.
class TempDir {
  public:
    explicit TempDir(bool enter = false) {
        std::string pattern = (std::filesystem::temp_directory_path() / "bravok-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed";
        m_path = pattern;
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

  private:
    std::filesystem::path m_path;
    std::filesystem::path m_previous;
};

}  // namespace bravok::test
