#include "app/Version.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace bravok {
namespace {

// The project's version as CMake has it, four numbers, missing ones zero.
std::vector<unsigned> ProjectVersion() {
    std::vector<unsigned> numbers;
    std::istringstream in(BRAVOK_TEST_PROJECT_VERSION);
    for (std::string part; std::getline(in, part, '.');) numbers.push_back(std::stoul(part));
    numbers.resize(4, 0);
    return numbers;
}

std::string Join(const std::vector<unsigned>& numbers, std::string_view separator) {
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        text += (i ? std::string(separator) : "") + std::to_string(numbers[i]);
    return text;
}

TEST(VersionRecord, NumbersComeFromTheProjectVersion) {
    const auto project = ProjectVersion();
    EXPECT_EQ(std::vector<unsigned>(version::kNumbers.begin(), version::kNumbers.end()), project);
    EXPECT_EQ(version::kDotted, Join(project, "."));
    EXPECT_EQ(version::kFileVersion, Join(project, ", "));
    EXPECT_EQ(version::kProductVersion, Join(project, ", "));
    EXPECT_EQ(version::kAboutVersionLine,
              "Bravok Version " + std::to_string(project[0]) + "." + std::to_string(project[1]));
}

TEST(VersionRecord, StringBlockHoldsTheRecordsEntriesInOrder) {
    const std::pair<std::string_view, std::string_view> fixed[] = {
        {"CompanyName", ""},
        {"FileDescription", "BRAVOK MFC Application"},
        {"FileVersion", version::kFileVersion},
        {"InternalName", "BRAVOK"},
        {"LegalCopyright", version::kLegalCopyright},
        {"LegalTrademarks", ""},
        {"OriginalFilename", "BRAVOK.EXE"},
        {"ProductName", "BRAVOK Application"},
        {"ProductVersion", version::kProductVersion},
    };
    ASSERT_EQ(version::kStringBlock.size(), std::size(fixed));
    for (std::size_t i = 0; i < std::size(fixed); ++i) {
        EXPECT_EQ(version::kStringBlock[i].first, fixed[i].first);
        EXPECT_EQ(version::kStringBlock[i].second, fixed[i].second) << fixed[i].first;
    }
    EXPECT_TRUE(version::kLegalCopyright.starts_with("Copyright (C) "));
    EXPECT_EQ(version::kLanguage, 0x0409u);
    EXPECT_EQ(version::kCodePage, 0x04B0u);
}

}  // namespace
}  // namespace bravok
