// UTF-8 sequences one code point at a time, shared by the UTF-8 conversions
// and the direct UTF-8 to code page 936 path so that both read malformed
// input the same way.
#ifndef PLATFORM_CODEPAGE_UTF8_H_
#define PLATFORM_CODEPAGE_UTF8_H_

namespace platform::utf8 {

inline constexpr char32_t kReplacement = 0xFFFD;

// Reads the sequence that starts at p (p < end) and stores the number of
// bytes it took in *length. An ill-formed sequence gives kReplacement and
// takes its maximal subpart: the longest prefix that could still have begun
// a well-formed sequence, at least one byte. So every byte is accounted for,
// and a byte that cannot continue the sequence starts the next one.
inline char32_t Decode(const unsigned char* p, const unsigned char* end,
                       int* length) {
  const unsigned lead = p[0];
  if (lead < 0x80) {
    *length = 1;
    return lead;
  }
  int needed;
  char32_t code_point;
  // The first continuation byte is narrowed where a wider range would give
  // an overlong form, a surrogate or a value above U+10FFFF.
  unsigned low = 0x80;
  unsigned high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    needed = 1;
    code_point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    needed = 2;
    code_point = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    needed = 3;
    code_point = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    *length = 1;
    return kReplacement;
  }
  int taken = 1;
  for (; taken <= needed && p + taken < end; ++taken) {
    const unsigned next = p[taken];
    if (next < low || next > high) break;
    code_point = code_point << 6 | (next & 0x3F);
    low = 0x80;
    high = 0xBF;
  }
  *length = taken;
  return taken > needed ? code_point : kReplacement;
}

}  // namespace platform::utf8

#endif  // PLATFORM_CODEPAGE_UTF8_H_
