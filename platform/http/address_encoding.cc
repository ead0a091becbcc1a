#include "platform/http/address_encoding.h"

#include "platform/codepage/code_page.h"

namespace platform {
namespace {

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') ||
         (c >= 'A' && c <= 'F');
}

bool NeedsEscape(unsigned char c) { return c >= 0x7F || c <= 0x20; }

}  // namespace

std::string EncodeAddressForWire(std::string_view cp936_address) {
  std::string utf8 =
      WideToMultiByte(65001, MultiByteToWide(936, cp936_address));
  std::size_t rest = 0;
  if (std::size_t scheme_end = utf8.find("://");
      scheme_end != std::string::npos) {
    rest = utf8.find_first_of("/?#", scheme_end + 3);
    if (rest == std::string::npos) return utf8;
  }
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = utf8.substr(0, rest);
  out.reserve(utf8.size() + utf8.size() / 2);
  for (std::size_t i = rest; i < utf8.size(); ++i) {
    auto c = static_cast<unsigned char>(utf8[i]);
    bool valid_escape = c == '%' && i + 2 < utf8.size() &&
                        IsHexDigit(utf8[i + 1]) && IsHexDigit(utf8[i + 2]);
    if (NeedsEscape(c) || (c == '%' && !valid_escape)) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace platform
