// The lookup arrays of code page 936, built at compile time from the
// generated data in cp936_data.inc, so they are immutable and need no
// initialisation at run time.
#ifndef PLATFORM_CODEPAGE_CP936_TABLE_H_
#define PLATFORM_CODEPAGE_CP936_TABLE_H_

#include <array>
#include <cstdint>

namespace platform::cp936 {

// What kSingleByte holds for a byte that starts a pair. No code decodes to
// U+FFFF (a noncharacter), so the value cannot be mistaken for a mapping.
inline constexpr char16_t kLeadByte = 0xFFFF;
inline constexpr char16_t kDefaultUnit = u'?';
inline constexpr char kDefaultByte = '?';

// The unit each single byte decodes to, or kLeadByte.
extern const std::array<char16_t, 256> kSingleByte;

// The unit of a lead byte and the byte after it, at DoubleByteIndex; zero
// where that byte is no trail byte, so the pair does not form.
extern const std::array<char16_t, 126 * 256> kDoubleByte;
constexpr int DoubleByteIndex(unsigned char lead, unsigned char trail) {
  return (lead - 0x81) * 256 + trail;
}

// The code each UTF-16 unit encodes to: above 0xFF a lead byte (high) and a
// trail byte (low), otherwise one byte. Units the code page lacks, surrogates
// included, hold kDefaultByte.
extern const std::array<std::uint16_t, 65536> kEncode;

}  // namespace platform::cp936

#endif  // PLATFORM_CODEPAGE_CP936_TABLE_H_
