#include "platform/codepage/code_page.h"

#include <cstdint>
#include <cstring>

#include "platform/codepage/cp936_table.h"
#include "platform/codepage/utf8.h"

namespace platform {
namespace {

bool Is936(int code_page) { return code_page == 0 || code_page == 936; }

bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// A lead byte whose next byte is no trail byte gives the default unit on its
// own, and that next byte is read again by itself. The table cannot say
// whether the platform swallows it; every byte that is no trail byte has a
// mapping of its own (ASCII, 0x7F, 0xFF), and swallowing it would lose a
// real character such as the line break after a stray lead byte.
std::u16string Decode936(std::string_view bytes) {
  std::u16string wide;
  wide.reserve(bytes.size());
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* end = p + bytes.size();
  while (p < end) {
    const char16_t single = cp936::kSingleByte[*p];
    if (single != cp936::kLeadByte) {
      wide.push_back(single);
      ++p;
      continue;
    }
    const char16_t pair =
        p + 1 < end ? cp936::kDoubleByte[cp936::DoubleByteIndex(p[0], p[1])]
                    : char16_t{0};
    if (pair != 0) {
      wide.push_back(pair);
      p += 2;
    } else {
      wide.push_back(cp936::kDefaultUnit);
      ++p;
    }
  }
  return wide;
}

// Writes the code of one UTF-16 unit and returns the position after it.
char* Put936(char16_t unit, char* out) {
  const std::uint16_t code = cp936::kEncode[unit];
  if (code > 0xFF) *out++ = static_cast<char>(code >> 8);
  *out++ = static_cast<char>(code & 0xFF);
  return out;
}

// Each unit encodes on its own, so both halves of a pair for a character
// outside the BMP give the default byte, as does a lone surrogate.
std::string Encode936(std::u16string_view wide) {
  std::string bytes(wide.size() * 2, '\0');
  char* out = bytes.data();
  for (const char16_t unit : wide) out = Put936(unit, out);
  bytes.resize(static_cast<size_t>(out - bytes.data()));
  return bytes;
}

std::u16string DecodeUtf8(std::string_view bytes) {
  std::u16string wide;
  wide.reserve(bytes.size());
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* end = p + bytes.size();
  while (p < end) {
    int length;
    const char32_t code_point = utf8::Decode(p, end, &length);
    p += length;
    if (code_point > 0xFFFF) {
      const char32_t offset = code_point - 0x10000;
      wide.push_back(static_cast<char16_t>(0xD800 + (offset >> 10)));
      wide.push_back(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
    } else {
      wide.push_back(static_cast<char16_t>(code_point));
    }
  }
  return wide;
}

// A surrogate that is not half of a pair has no UTF-8 form and becomes
// U+FFFD.
std::string EncodeUtf8(std::u16string_view wide) {
  std::string bytes;
  bytes.reserve(wide.size() * 3);
  for (size_t i = 0; i < wide.size(); ++i) {
    char32_t c = wide[i];
    if (IsHighSurrogate(c) && i + 1 < wide.size() &&
        IsLowSurrogate(wide[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      c = utf8::kReplacement;
    }
    if (c < 0x80) {
      bytes.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      bytes.push_back(static_cast<char>(0xC0 | c >> 6));
      bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      bytes.push_back(static_cast<char>(0xE0 | c >> 12));
      bytes.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      bytes.push_back(static_cast<char>(0xF0 | c >> 18));
      bytes.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return bytes;
}

// UTF-8 straight to code page 936: the same decoder and the same encode
// table as the two steps, without the UTF-16 text in between. Runs of ASCII
// are copied eight bytes at a time and well-formed three-byte sequences (all
// of CJK) are read inline. The result is never longer than the input: every
// sequence of n bytes gives at most n bytes.
std::string Utf8To936(std::string_view utf8) {
  std::string bytes(utf8.size(), '\0');
  char* out = bytes.data();
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* end = p + utf8.size();
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  while (p < end) {
    while (end - p >= 8) {
      std::uint64_t chunk;
      std::memcpy(&chunk, p, 8);
      if (chunk & kHighBits) break;
      std::memcpy(out, p, 8);
      out += 8;
      p += 8;
    }
    if (p == end) break;
    const unsigned lead = *p;
    if (lead < 0x80) {
      *out++ = static_cast<char>(lead);
      ++p;
      continue;
    }
    char32_t code_point;
    if (lead >= 0xE1 && lead <= 0xEF && lead != 0xED && end - p >= 3 &&
        (p[1] & 0xC0) == 0x80 && (p[2] & 0xC0) == 0x80) {
      code_point = (lead & 0x0F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F);
      p += 3;
    } else {
      int length;
      code_point = utf8::Decode(p, end, &length);
      p += length;
    }
    if (code_point > 0xFFFF) {
      const char32_t offset = code_point - 0x10000;
      out = Put936(static_cast<char16_t>(0xD800 + (offset >> 10)), out);
      out = Put936(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)), out);
    } else {
      out = Put936(static_cast<char16_t>(code_point), out);
    }
  }
  bytes.resize(static_cast<size_t>(out - bytes.data()));
  return bytes;
}

}  // namespace

bool IsSupportedCodePage(int code_page) {
  return Is936(code_page) || code_page == 65001;
}

std::u16string MultiByteToWide(int code_page, std::string_view bytes) {
  if (Is936(code_page)) return Decode936(bytes);
  if (code_page == 65001) return DecodeUtf8(bytes);
  return {};
}

std::string WideToMultiByte(int code_page, std::u16string_view wide) {
  if (Is936(code_page)) return Encode936(wide);
  if (code_page == 65001) return EncodeUtf8(wide);
  return {};
}

std::string ConvertCodePage(int from_code_page, int to_code_page,
                            std::string_view bytes) {
  if (!IsSupportedCodePage(from_code_page) ||
      !IsSupportedCodePage(to_code_page)) {
    return {};
  }
  if (from_code_page == 65001 && Is936(to_code_page)) return Utf8To936(bytes);
  return WideToMultiByte(to_code_page, MultiByteToWide(from_code_page, bytes));
}

}  // namespace platform
