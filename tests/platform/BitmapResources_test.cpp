#include "platform/BitmapResources.h"

#include <gtest/gtest.h>

#include <vector>

namespace bravok {
namespace {

TEST(BitmapResources, RegisteredBitmapsAreFoundAndNeverReplaced) {
    ResourceModule& module = ResourceModule::Current();
    EXPECT_EQ(&module, &ResourceModule::Current());
    // The program has no bitmaps of its own.
    EXPECT_FALSE(module.FindBitmap(1).has_value());
    EXPECT_FALSE(module.FindBitmap(128).has_value());

    ASSERT_TRUE(module.RegisterBitmap(7, {1, 2, 3}));
    const auto found = module.FindBitmap(7);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(std::vector<std::uint8_t>(found->begin(), found->end()),
              (std::vector<std::uint8_t>{1, 2, 3}));

    // A second registration under the id is refused; the bytes handed out
    // before stay as they were.
    EXPECT_FALSE(module.RegisterBitmap(7, {9}));
    EXPECT_EQ(module.FindBitmap(7)->data(), found->data());
    EXPECT_EQ((*found)[0], 1);
    EXPECT_FALSE(module.FindBitmap(8).has_value());
}

}  // namespace
}  // namespace bravok
