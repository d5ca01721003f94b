#include <gtest/gtest.h>
#include <wx/icon.h>

#include "app/IconResource.h"

namespace bravok {
namespace {

void ExpectBothSizes(const wxIconBundle& bundle) {
    EXPECT_EQ(bundle.GetIconCount(), 2u);
    for (int size : {32, 16}) {
        const wxIcon icon = bundle.GetIcon(wxSize(size, size), wxIconBundle::FALLBACK_NONE);
        ASSERT_TRUE(icon.IsOk()) << size << " px";
        EXPECT_EQ(icon.GetWidth(), size);
        EXPECT_EQ(icon.GetHeight(), size);
    }
}

TEST(IconBundles, MainFrameIconsHold32And16PixelIcons) {
    ExpectBothSizes(MainFrameIcons());
}

TEST(IconBundles, SecondIconsHold32And16PixelIcons) {
    ExpectBothSizes(SecondIcons());
}

TEST(IconBundles, AnUnknownGroupIsEmpty) {
    EXPECT_TRUE(LoadIconGroup(130).IsEmpty());
}

}  // namespace
}  // namespace bravok
