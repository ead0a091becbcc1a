#include "core/text/encodings.h"

#include <string>

#include "platform/codepage/code_page.h"

namespace core {

AnsiText Utf8ToAnsi(const AnsiText& utf8) {
  return AnsiText(
      platform::ConvertCodePage(kCodePageUtf8, kCodePage936, utf8.view()));
}

AnsiText AnsiToUtf8(const AnsiText& ansi) {
  return AnsiText(
      platform::ConvertCodePage(kCodePage936, kCodePageUtf8, ansi.view()));
}

ByteBuffer DecodeToWide(const AnsiText& text, int code_page) {
  if (text.empty() || !platform::IsSupportedCodePage(code_page)) return {};
  const std::u16string wide = platform::MultiByteToWide(code_page, text.view());
  // Value-initialised, so the last unit is already the terminating zero.
  ByteBuffer buffer((wide.size() + 1) * 2);
  for (size_t i = 0; i < wide.size(); ++i) {
    buffer[2 * i] = static_cast<std::uint8_t>(wide[i] & 0xFF);
    buffer[2 * i + 1] = static_cast<std::uint8_t>(wide[i] >> 8);
  }
  return buffer;
}

// The wide text ends at its first zero unit or at the end of the buffer,
// whichever comes first, so a buffer without a zero unit is never read past
// its end. A final odd byte is half a unit: it becomes U+FFFD (so "?" in
// code page 936) rather than vanishing.
AnsiText EncodeFromWide(const ByteBuffer& wide, int code_page) {
  if (!platform::IsSupportedCodePage(code_page)) return {};
  std::u16string units;
  units.reserve(wide.size() / 2 + 1);
  size_t i = 0;
  for (; i + 1 < wide.size(); i += 2) {
    const auto unit = static_cast<char16_t>(wide[i] | wide[i + 1] << 8);
    if (unit == 0) break;
    units.push_back(unit);
  }
  if (i + 1 == wide.size()) units.push_back(u'\uFFFD');
  return AnsiText(platform::WideToMultiByte(code_page, units));
}

AnsiText UrlEncode(const AnsiText& text, bool keep_unreserved, bool as_utf8) {
  if (text.empty()) return {};
  const AnsiText source = as_utf8 ? AnsiToUtf8(text) : text;
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(source.bytes().size() * 3);
  for (const char c : source.bytes()) {
    const auto byte = static_cast<unsigned char>(c);
    const bool unreserved =
        byte == '-' || byte == '.' || (byte >= '0' && byte <= '9') ||
        (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
    if (keep_unreserved && unreserved) {
      encoded.push_back(c);
    } else {
      encoded.push_back('%');
      encoded.push_back(kHex[byte >> 4]);
      encoded.push_back(kHex[byte & 0x0F]);
    }
  }
  return AnsiText(std::move(encoded));
}

}  // namespace core
