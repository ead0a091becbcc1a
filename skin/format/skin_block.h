// The skin block: the form in which a skin travels from the program to the
// skin library. All numbers are little-endian.
//
//   offset  size  field
//        0     4  ".SHE"
//        4     2  format version (kSkinFormatVersion)
//        6     2  number of palette entries
//        8     4  length of the style sheet in bytes
//       12     4  checksum (FNV-1a, 32 bits) of every byte after the header
//       16   4*n  palette entries: role, red, green, blue (one byte each)
//        …        the style sheet, UTF-8, no terminator
//
// The block's size is exactly the sum of these parts; anything else is
// malformed.
#ifndef SKIN_FORMAT_SKIN_BLOCK_H_
#define SKIN_FORMAT_SKIN_BLOCK_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace skin {

inline constexpr std::array<unsigned char, 4> kSkinMagic = {'.', 'S', 'H', 'E'};
inline constexpr std::uint16_t kSkinFormatVersion = 1;
inline constexpr std::size_t kSkinHeaderSize = 16;
inline constexpr std::size_t kPaletteEntrySize = 4;

// The colour roles a skin may set; the numbers are part of the format.
enum class PaletteRole : std::uint8_t {
  kWindow = 0,
  kWindowText,
  kBase,
  kAlternateBase,
  kText,
  kButton,
  kButtonText,
  kBrightText,
  kLight,
  kMidlight,
  kMid,
  kDark,
  kShadow,
  kHighlight,
  kHighlightedText,
  kToolTipBase,
  kToolTipText,
  kPlaceholderText,
  kLink,
  kCount,
};

struct PaletteEntry {
  PaletteRole role;
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

struct Skin {
  std::vector<PaletteEntry> palette;
  std::string style_sheet;
};

// Why a block was refused. The values are the skin library's result codes,
// so they never change meaning.
enum class SkinError : int {
  kNone = 0,
  kEmpty = 1,
  kTruncated = 2,
  kBadMagic = 3,
  kUnsupportedVersion = 4,
  kSizeMismatch = 5,
  kChecksumMismatch = 6,
  kBadRole = 7,
  kBadStyleSheet = 8,
};

// Reads `block` into `skin` (left unchanged on failure). Refuses a block
// whose size disagrees with its header, whose checksum fails, which names an
// unknown role or whose style sheet is not UTF-8 text without zero bytes.
SkinError ParseSkin(std::span<const unsigned char> block, Skin* skin);

constexpr std::uint32_t SkinChecksum(std::span<const unsigned char> bytes) {
  std::uint32_t hash = 2166136261u;
  for (unsigned char byte : bytes) {
    hash ^= byte;
    hash *= 16777619u;
  }
  return hash;
}

// Builds a block at compile time, so the program's skins are plain
// constants. `sheet` is a string literal; its terminator is not stored.
template <std::size_t kEntries, std::size_t kSheetChars>
constexpr std::array<unsigned char, kSkinHeaderSize +
                                        kPaletteEntrySize * kEntries +
                                        kSheetChars - 1>
PackSkin(const std::array<PaletteEntry, kEntries>& palette,
         const char (&sheet)[kSheetChars]) {
  static_assert(kEntries <= 0xFFFF);
  constexpr std::size_t kSheetSize = kSheetChars - 1;
  std::array<unsigned char,
             kSkinHeaderSize + kPaletteEntrySize * kEntries + kSheetSize>
      block{};
  auto put16 = [&block](std::size_t at, std::uint32_t value) {
    block[at] = static_cast<unsigned char>(value & 0xFF);
    block[at + 1] = static_cast<unsigned char>((value >> 8) & 0xFF);
  };
  auto put32 = [&put16](std::size_t at, std::uint32_t value) {
    put16(at, value & 0xFFFF);
    put16(at + 2, value >> 16);
  };
  for (std::size_t i = 0; i < kSkinMagic.size(); ++i) block[i] = kSkinMagic[i];
  put16(4, kSkinFormatVersion);
  put16(6, static_cast<std::uint32_t>(kEntries));
  put32(8, static_cast<std::uint32_t>(kSheetSize));
  std::size_t at = kSkinHeaderSize;
  for (const PaletteEntry& entry : palette) {
    block[at++] = static_cast<unsigned char>(entry.role);
    block[at++] = entry.red;
    block[at++] = entry.green;
    block[at++] = entry.blue;
  }
  for (std::size_t i = 0; i < kSheetSize; ++i) {
    block[at++] = static_cast<unsigned char>(sheet[i]);
  }
  put32(12, SkinChecksum(std::span<const unsigned char>(block).subspan(
                kSkinHeaderSize)));
  return block;
}

}  // namespace skin

#endif  // SKIN_FORMAT_SKIN_BLOCK_H_
