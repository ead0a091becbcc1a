#include "web/base64.h"

#include <cstddef>
#include <string>
#include <utility>

namespace web {

namespace {
constexpr char kAlphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
}  // namespace

core::AnsiText Base64Encode(const core::ByteBuffer& bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t left = bytes.size() - i;
    const unsigned b1 = bytes[i];
    const unsigned b2 = left > 1 ? bytes[i + 1] : 0;
    const unsigned b3 = left > 2 ? bytes[i + 2] : 0;
    out += kAlphabet[b1 >> 2];
    out += kAlphabet[((b1 & 0x03) << 4) | (b2 >> 4)];
    out += left > 1 ? kAlphabet[((b2 & 0x0F) << 2) | (b3 >> 6)] : '=';
    out += left > 2 ? kAlphabet[b3 & 0x3F] : '=';
  }
  return core::AnsiText(std::move(out));
}

}  // namespace web
