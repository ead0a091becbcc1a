#include "skin/skin_set.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "skin/format/skin_block.h"
#include "skin/skin_sheets.h"

namespace skin {
namespace {

// A colour scheme in 0xRRGGBB values; the shades of the bevels are derived.
struct Scheme {
  std::uint32_t window;
  std::uint32_t window_text;
  std::uint32_t base;
  std::uint32_t text;
  std::uint32_t button;
  std::uint32_t button_text;
  std::uint32_t highlight;
};

constexpr std::uint8_t Channel(std::uint32_t rgb, int shift) {
  return static_cast<std::uint8_t>((rgb >> shift) & 0xFF);
}

// `rgb` moved `eighths`/8 of the way towards `target`.
constexpr std::uint32_t Mix(std::uint32_t rgb, std::uint32_t target,
                            int eighths) {
  std::uint32_t result = 0;
  for (int shift : {16, 8, 0}) {
    const int from = Channel(rgb, shift);
    const int to = Channel(target, shift);
    result |= static_cast<std::uint32_t>(from + (to - from) * eighths / 8)
              << shift;
  }
  return result;
}

constexpr bool IsDark(std::uint32_t rgb) {
  const int luma =
      299 * Channel(rgb, 16) + 587 * Channel(rgb, 8) + 114 * Channel(rgb, 0);
  return luma < 128 * 1000;
}

constexpr PaletteEntry Entry(PaletteRole role, std::uint32_t rgb) {
  return {role, Channel(rgb, 16), Channel(rgb, 8), Channel(rgb, 0)};
}

constexpr std::array<PaletteEntry, 17> MakePalette(const Scheme& s) {
  constexpr std::uint32_t kWhite = 0xFFFFFF;
  constexpr std::uint32_t kBlack = 0x000000;
  using R = PaletteRole;
  return {{
      Entry(R::kWindow, s.window),
      Entry(R::kWindowText, s.window_text),
      Entry(R::kBase, s.base),
      Entry(R::kAlternateBase, Mix(s.base, s.highlight, 1)),
      Entry(R::kText, s.text),
      Entry(R::kButton, s.button),
      Entry(R::kButtonText, s.button_text),
      Entry(R::kBrightText, kWhite),
      Entry(R::kLight, Mix(s.button, kWhite, 5)),
      Entry(R::kMidlight, Mix(s.button, kWhite, 2)),
      Entry(R::kMid, Mix(s.button, kBlack, 2)),
      Entry(R::kDark, Mix(s.button, kBlack, 4)),
      Entry(R::kShadow, Mix(s.button, kBlack, 6)),
      Entry(R::kHighlight, s.highlight),
      Entry(R::kHighlightedText, IsDark(s.highlight) ? kWhite : kBlack),
      Entry(R::kToolTipBase, Mix(s.window, kWhite, 6)),
      Entry(R::kToolTipText, IsDark(s.window) ? s.window : s.window_text),
  }};
}

// Eleven colour schemes, each drawn in the three shapes; skin 13 has a look
// of its own.
constexpr Scheme kSlate{0xD9DEE4, 0x1E2833, 0xFFFFFF, 0x1E2833,
                        0xC5CDD6, 0x1E2833, 0x3D6A99};
constexpr Scheme kMeadow{0xDDE8D5, 0x1F3318, 0xFBFDF8, 0x1F3318,
                         0xB9D3A6, 0x1F3318, 0x4F8A35};
constexpr Scheme kSand{0xEEE3CF, 0x3B2E1A, 0xFFFCF5, 0x3B2E1A,
                       0xDCC8A2, 0x3B2E1A, 0xA8742C};
constexpr Scheme kRose{0xF2DDE1, 0x40202A, 0xFFF9FA, 0x40202A,
                       0xE4B7C1, 0x40202A, 0xB04A66};
constexpr Scheme kOcean{0xD3E4EE, 0x0F2C3D, 0xF7FBFD, 0x0F2C3D,
                        0xA9CBE0, 0x0F2C3D, 0x1B6F9E};
constexpr Scheme kLavender{0xE3DDF0, 0x2A2040, 0xFCFAFF, 0x2A2040,
                           0xC6B9E2, 0x2A2040, 0x6A4FA8};
constexpr Scheme kGraphite{0x3A3D42, 0xE6E8EB, 0x2A2C30, 0xE6E8EB,
                           0x50545B, 0xF0F1F3, 0x5A8FD0};
constexpr Scheme kMidnight{0x1D2433, 0xD8DEEA, 0x141A26, 0xD8DEEA,
                           0x2C3650, 0xE4E8F2, 0x7A5CE0};
constexpr Scheme kForest{0x24332A, 0xDCE8DF, 0x1A261F, 0xDCE8DF,
                         0x36503F, 0xE6F0E9, 0x58B07A};
constexpr Scheme kEmber{0x35231E, 0xF0DED6, 0x271915, 0xF0DED6,
                        0x54362C, 0xF7E9E2, 0xE0733D};
constexpr Scheme kPaper{0xF0F0F0, 0x000000, 0xFFFFFF, 0x000000,
                        0xE1E1E1, 0x000000, 0x0078D7};
constexpr Scheme kHarbour{0x1F4E5F, 0xF2F7F9, 0xF4FAFB, 0x10313D,
                          0x2E7D8F, 0xFFFFFF, 0xF2A541};

template <std::size_t kSheetChars>
constexpr auto MakeSkin(const Scheme& scheme,
                        const char (&sheet)[kSheetChars]) {
  return PackSkin(MakePalette(scheme), sheet);
}

constexpr auto kSkin1 = MakeSkin(kSlate, sheets::kFlat);
constexpr auto kSkin2 = MakeSkin(kMeadow, sheets::kFlat);
constexpr auto kSkin3 = MakeSkin(kSand, sheets::kFlat);
constexpr auto kSkin4 = MakeSkin(kRose, sheets::kFlat);
constexpr auto kSkin5 = MakeSkin(kOcean, sheets::kFlat);
constexpr auto kSkin6 = MakeSkin(kLavender, sheets::kFlat);
constexpr auto kSkin7 = MakeSkin(kGraphite, sheets::kFlat);
constexpr auto kSkin8 = MakeSkin(kMidnight, sheets::kFlat);
constexpr auto kSkin9 = MakeSkin(kForest, sheets::kFlat);
constexpr auto kSkin10 = MakeSkin(kEmber, sheets::kFlat);
constexpr auto kSkin11 = MakeSkin(kPaper, sheets::kFlat);
constexpr auto kSkin12 = MakeSkin(kSlate, sheets::kRounded);
constexpr auto kSkin13 = MakeSkin(kHarbour, sheets::kSignature);
constexpr auto kSkin14 = MakeSkin(kMeadow, sheets::kRounded);
constexpr auto kSkin15 = MakeSkin(kSand, sheets::kRounded);
constexpr auto kSkin16 = MakeSkin(kRose, sheets::kRounded);
constexpr auto kSkin17 = MakeSkin(kOcean, sheets::kRounded);
constexpr auto kSkin18 = MakeSkin(kLavender, sheets::kRounded);
constexpr auto kSkin19 = MakeSkin(kGraphite, sheets::kRounded);
constexpr auto kSkin20 = MakeSkin(kMidnight, sheets::kRounded);
constexpr auto kSkin21 = MakeSkin(kForest, sheets::kRounded);
constexpr auto kSkin22 = MakeSkin(kEmber, sheets::kRounded);
constexpr auto kSkin23 = MakeSkin(kPaper, sheets::kRounded);
constexpr auto kSkin24 = MakeSkin(kSlate, sheets::kBevel);
constexpr auto kSkin25 = MakeSkin(kMeadow, sheets::kBevel);
constexpr auto kSkin26 = MakeSkin(kSand, sheets::kBevel);
constexpr auto kSkin27 = MakeSkin(kRose, sheets::kBevel);
constexpr auto kSkin28 = MakeSkin(kOcean, sheets::kBevel);
constexpr auto kSkin29 = MakeSkin(kLavender, sheets::kBevel);
constexpr auto kSkin30 = MakeSkin(kGraphite, sheets::kBevel);
constexpr auto kSkin31 = MakeSkin(kMidnight, sheets::kBevel);
constexpr auto kSkin32 = MakeSkin(kForest, sheets::kBevel);
constexpr auto kSkin33 = MakeSkin(kEmber, sheets::kBevel);

constexpr std::array<std::span<const unsigned char>, kSkinCount> kSkins = {{
    kSkin1,  kSkin2,  kSkin3,  kSkin4,  kSkin5,  kSkin6,  kSkin7,
    kSkin8,  kSkin9,  kSkin10, kSkin11, kSkin12, kSkin13, kSkin14,
    kSkin15, kSkin16, kSkin17, kSkin18, kSkin19, kSkin20, kSkin21,
    kSkin22, kSkin23, kSkin24, kSkin25, kSkin26, kSkin27, kSkin28,
    kSkin29, kSkin30, kSkin31, kSkin32, kSkin33,
}};

}  // namespace

std::span<const unsigned char> SkinBlock(int number) {
  if (number < 1 || number > kSkinCount) return {};
  return kSkins[static_cast<std::size_t>(number - 1)];
}

}  // namespace skin
