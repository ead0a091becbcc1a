#include "skin/skin_set.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "skin/format/skin_block.h"

namespace skin {
namespace {

TEST(SkinSetTest, EverySkinIsAWellFormedBlockOfItsOwn) {
  std::set<std::string> blocks;
  std::set<std::string> sheets;
  for (int number = 1; number <= kSkinCount; ++number) {
    const auto block = SkinBlock(number);
    ASSERT_GE(block.size(), 4u) << number;
    EXPECT_EQ(std::string(block.begin(), block.begin() + 4), ".SHE") << number;
    Skin skin;
    EXPECT_EQ(ParseSkin(block, &skin), SkinError::kNone) << number;
    EXPECT_FALSE(skin.palette.empty()) << number;
    EXPECT_FALSE(skin.style_sheet.empty()) << number;
    blocks.emplace(block.begin(), block.end());
    if (number != 13) sheets.insert(skin.style_sheet);
  }
  EXPECT_EQ(blocks.size(), static_cast<std::size_t>(kSkinCount));

  // The start-up skin's look is its own: no other skin draws with its sheet.
  Skin start_up;
  ASSERT_EQ(ParseSkin(SkinBlock(13), &start_up), SkinError::kNone);
  EXPECT_EQ(sheets.count(start_up.style_sheet), 0u);
}

TEST(SkinSetTest, NumbersOutsideTheSetGiveNoAddressAndLengthZero) {
  for (int number : {0, -1, 34, 1000, INT32_MIN, INT32_MAX}) {
    const auto block = SkinBlock(number);
    EXPECT_EQ(block.data(), nullptr) << number;
    EXPECT_EQ(block.size(), 0u) << number;
  }
}

}  // namespace
}  // namespace skin
