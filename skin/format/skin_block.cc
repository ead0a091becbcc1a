#include "skin/format/skin_block.h"

#include <utility>

namespace skin {
namespace {

std::uint32_t Read16(std::span<const unsigned char> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) |
         static_cast<std::uint32_t>(bytes[at + 1]) << 8;
}

std::uint32_t Read32(std::span<const unsigned char> bytes, std::size_t at) {
  return Read16(bytes, at) | Read16(bytes, at + 2) << 16;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF,
// and no zero byte, which would cut the sheet short on its way into Qt.
bool IsStyleSheetText(std::span<const unsigned char> text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = text[i];
    if (lead == 0) return false;
    if (lead < 0x80) {
      ++i;
      continue;
    }
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code = lead & 0x07;
    } else {
      return false;
    }
    if (text.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const unsigned char next = text[i + k];
      if ((next & 0xC0) != 0x80) return false;
      code = code << 6 | (next & 0x3F);
    }
    if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000) ||
        (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
      return false;
    }
    i += length;
  }
  return true;
}

}  // namespace

SkinError ParseSkin(std::span<const unsigned char> block, Skin* skin) {
  if (block.empty()) return SkinError::kEmpty;
  if (block.size() < kSkinHeaderSize) return SkinError::kTruncated;
  for (std::size_t i = 0; i < kSkinMagic.size(); ++i) {
    if (block[i] != kSkinMagic[i]) return SkinError::kBadMagic;
  }
  if (Read16(block, 4) != kSkinFormatVersion) {
    return SkinError::kUnsupportedVersion;
  }
  const std::size_t entries = Read16(block, 6);
  const std::size_t sheet_size = Read32(block, 8);
  // Both counts are bounded (16 and 32 bits), so the sum cannot overflow a
  // 64-bit size.
  const std::size_t expected =
      kSkinHeaderSize + kPaletteEntrySize * entries + sheet_size;
  if (block.size() < expected) return SkinError::kTruncated;
  if (block.size() > expected) return SkinError::kSizeMismatch;
  if (SkinChecksum(block.subspan(kSkinHeaderSize)) != Read32(block, 12)) {
    return SkinError::kChecksumMismatch;
  }

  Skin parsed;
  parsed.palette.reserve(entries);
  std::size_t at = kSkinHeaderSize;
  for (std::size_t i = 0; i < entries; ++i, at += kPaletteEntrySize) {
    if (block[at] >= static_cast<unsigned char>(PaletteRole::kCount)) {
      return SkinError::kBadRole;
    }
    parsed.palette.push_back({static_cast<PaletteRole>(block[at]),
                              block[at + 1], block[at + 2], block[at + 3]});
  }
  const auto sheet = block.subspan(at);
  if (!IsStyleSheetText(sheet)) return SkinError::kBadStyleSheet;
  parsed.style_sheet.assign(sheet.begin(), sheet.end());
  *skin = std::move(parsed);
  return SkinError::kNone;
}

}  // namespace skin
