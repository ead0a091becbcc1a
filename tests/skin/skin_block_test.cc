#include "skin/format/skin_block.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace skin {
namespace {

using Bytes = std::vector<unsigned char>;

constexpr auto kSample = PackSkin(
    std::array<PaletteEntry, 2>{{{PaletteRole::kWindow, 0x12, 0x34, 0x56},
                                 {PaletteRole::kLink, 1, 2, 3}}},
    "QPushButton { color: palette(link); } /* \xE6\x8C\x89\xE9\x92\xAE */");

Bytes Sample() { return Bytes(kSample.begin(), kSample.end()); }

void Put32(Bytes& block, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) block[at + i] = (value >> (8 * i)) & 0xFF;
}

// For faults behind the checksum: the block is otherwise consistent.
Bytes Resealed(Bytes block) {
  Put32(block, 12,
        SkinChecksum(std::span<const unsigned char>(block).subspan(16)));
  return block;
}

// The sample with its style sheet replaced, header and checksum to match.
Bytes WithSheet(const std::string& sheet) {
  Bytes block(kSample.begin(), kSample.begin() + kSkinHeaderSize + 8);
  block.insert(block.end(), sheet.begin(), sheet.end());
  Put32(block, 8, static_cast<std::uint32_t>(sheet.size()));
  return Resealed(block);
}

TEST(SkinBlockTest, PackedBlockReadsBack) {
  Skin skin;
  ASSERT_EQ(ParseSkin(kSample, &skin), SkinError::kNone);
  ASSERT_EQ(skin.palette.size(), 2u);
  EXPECT_EQ(skin.palette[0].role, PaletteRole::kWindow);
  EXPECT_EQ(skin.palette[0].red, 0x12);
  EXPECT_EQ(skin.palette[0].green, 0x34);
  EXPECT_EQ(skin.palette[0].blue, 0x56);
  EXPECT_EQ(skin.palette[1].role, PaletteRole::kLink);
  EXPECT_EQ(skin.style_sheet,
            "QPushButton { color: palette(link); } /* \xE6\x8C\x89\xE9\x92\xAE "
            "*/");
  EXPECT_EQ(ParseSkin(WithSheet(""), &skin), SkinError::kNone);
  EXPECT_EQ(skin.style_sheet, "");
}

TEST(SkinBlockTest, MalformedBlocksAreRefusedAndLeaveTheSkinAlone) {
  struct Case {
    const char* what;
    Bytes block;
    SkinError error;
  };
  Bytes bad_magic = Sample();
  bad_magic[1] = 's';
  Bytes version_two = Sample();
  version_two[4] = 2;
  Bytes short_one = Sample();
  short_one.pop_back();
  Bytes long_one = Sample();
  long_one.push_back(' ');
  Bytes flipped = Sample();
  flipped.back() ^= 0x20;
  Bytes unknown_role = Sample();
  unknown_role[kSkinHeaderSize] =
      static_cast<unsigned char>(PaletteRole::kCount);
  Bytes huge_sheet = Sample();
  Put32(huge_sheet, 8, 0xFFFFFFFFu);
  Bytes many_entries = Sample();
  many_entries[6] = many_entries[7] = 0xFF;

  const Case cases[] = {
      {"empty", {}, SkinError::kEmpty},
      {"header cut", Bytes(kSample.begin(), kSample.begin() + 15),
       SkinError::kTruncated},
      {"bad magic", bad_magic, SkinError::kBadMagic},
      {"version 2", version_two, SkinError::kUnsupportedVersion},
      {"one byte short", short_one, SkinError::kTruncated},
      {"one byte over", long_one, SkinError::kSizeMismatch},
      {"sheet length past the end", huge_sheet, SkinError::kTruncated},
      {"entry count past the end", many_entries, SkinError::kTruncated},
      {"changed byte", flipped, SkinError::kChecksumMismatch},
      {"unknown role", Resealed(unknown_role), SkinError::kBadRole},
      {"zero byte", WithSheet(std::string("a\0b", 3)),
       SkinError::kBadStyleSheet},
      {"stray byte", WithSheet("a\xFF"), SkinError::kBadStyleSheet},
      {"overlong", WithSheet("\xC0\x80"), SkinError::kBadStyleSheet},
      {"surrogate", WithSheet("\xED\xA0\x80"), SkinError::kBadStyleSheet},
      {"cut sequence", WithSheet("\xE6\x8C"), SkinError::kBadStyleSheet},
      {"beyond U+10FFFF", WithSheet("\xF4\x90\x80\x80"),
       SkinError::kBadStyleSheet},
  };
  for (const Case& c : cases) {
    Skin skin{{{PaletteRole::kText, 9, 9, 9}}, "kept"};
    EXPECT_EQ(ParseSkin(c.block, &skin), c.error) << c.what;
    EXPECT_EQ(skin.style_sheet, "kept") << c.what;
    EXPECT_EQ(skin.palette.size(), 1u) << c.what;
  }
}

}  // namespace
}  // namespace skin
