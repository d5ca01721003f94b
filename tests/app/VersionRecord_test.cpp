// The version record Windows shows for the program (a file's properties,
// installers), as this test program carries it from the game's own resources.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/Version.h"

namespace bravok {
namespace {

TEST(VersionRecord, SaysWhatTheAboutBoxSays) {
    wchar_t path[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    DWORD unused = 0;
    std::vector<char> record(GetFileVersionInfoSizeW(path, &unused));
    ASSERT_FALSE(record.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, static_cast<DWORD>(record.size()), record.data()));

    void* found = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", &found, &length));
    const auto& fixed = *static_cast<const VS_FIXEDFILEINFO*>(found);
    const auto& n = version::kNumbers;
    EXPECT_EQ(fixed.dwFileVersionMS, n[0] << 16 | n[1]);
    EXPECT_EQ(fixed.dwFileVersionLS, n[2] << 16 | n[3]);
    EXPECT_EQ(fixed.dwProductVersionMS, fixed.dwFileVersionMS);
    EXPECT_EQ(fixed.dwProductVersionLS, fixed.dwFileVersionLS);
    EXPECT_EQ(fixed.dwFileOS, static_cast<DWORD>(VOS__WINDOWS32)) << "for the 32-bit Windows API";
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));

    char block[32];
    std::snprintf(block, sizeof block, "\\StringFileInfo\\%04X%04X\\", version::kLanguage,
                  version::kCodePage);
    for (const auto& [key, value] : version::kStringBlock) {
        const std::string name = block + std::string(key);
        const bool present = VerQueryValueA(record.data(), name.c_str(), &found, &length);
        EXPECT_EQ(present ? std::string_view(static_cast<const char*>(found)) : "(none)", value)
            << key;
    }
}

}  // namespace
}  // namespace bravok
