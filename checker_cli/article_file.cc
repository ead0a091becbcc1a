#include "checker_cli/article_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#include "core/text/encodings.h"

namespace cli {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool HoldsNonAscii(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes,
                   std::string& error) {
  bytes.clear();
  const std::unique_ptr<std::FILE, FileCloser> file(
      std::fopen(path.c_str(), "rb"));
  if (!file) {
    error = std::strerror(errno);
    return false;
  }
  errno = 0;
  char buffer[1 << 16];
  while (true) {
    const size_t n = std::fread(buffer, 1, sizeof buffer, file.get());
    bytes.append(buffer, n);
    if (n < sizeof buffer) break;
  }
  if (std::ferror(file.get())) {
    // A directory opens but does not read.
    error = errno != 0 ? std::strerror(errno) : "read error";
    return false;
  }
  return true;
}

bool IsValidUtf8(std::string_view bytes) {
  size_t i = 0;
  const size_t n = bytes.size();
  while (i < n) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    int trail = 0;
    std::uint32_t code = 0;
    if (b < 0x80) {
      ++i;
      continue;
    } else if (b >= 0xC2 && b <= 0xDF) {
      trail = 1;
      code = b & 0x1Fu;
    } else if (b >= 0xE0 && b <= 0xEF) {
      trail = 2;
      code = b & 0x0Fu;
    } else if (b >= 0xF0 && b <= 0xF4) {
      trail = 3;
      code = b & 0x07u;
    } else {
      return false;
    }
    if (n - i <= static_cast<size_t>(trail)) return false;
    for (int k = 1; k <= trail; ++k) {
      const auto t = static_cast<unsigned char>(bytes[i + k]);
      if ((t & 0xC0) != 0x80) return false;
      code = (code << 6) | (t & 0x3Fu);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    if ((trail == 2 && code < 0x800) || (trail == 3 && code < 0x10000) ||
        (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
      return false;
    }
    i += static_cast<size_t>(trail) + 1;
  }
  return true;
}

std::string NormaliseLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

bool DecodeArticle(std::string_view bytes, DecodedArticle& article,
                   std::string& error) {
  article = {};
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    error = "the file is UTF-16; save it as UTF-8 or code page 936";
    return false;
  }
  // A text ends at its first zero byte; reading on would silently drop the
  // rest of the article.
  if (bytes.find('\0') != std::string_view::npos) {
    error = "the file holds a zero byte and is not a text file";
    return false;
  }
  std::string_view body = bytes;
  bool utf8 = false;
  if (body.starts_with(kUtf8Bom)) {
    body.remove_prefix(kUtf8Bom.size());
    utf8 = true;
  } else {
    utf8 = HoldsNonAscii(body) && IsValidUtf8(body);
  }
  if (utf8) {
    const core::AnsiText converted = core::Utf8ToAnsi(core::AnsiText(body));
    article.lost_characters = core::AnsiToUtf8(converted).view() != body;
    article.text = NormaliseLineBreaks(converted.view());
  } else {
    article.text = NormaliseLineBreaks(body);
  }
  return true;
}

}  // namespace cli
