#include "checker_cli/json_text.h"

#include <cstdio>

#include "checker_cli/article_file.h"

namespace cli {
namespace {

// Length of the valid UTF-8 sequence at the start of `rest`, or 0.
size_t SequenceLength(std::string_view rest) {
  const auto b = static_cast<unsigned char>(rest[0]);
  size_t n = 1;
  if (b >= 0xF0) {
    n = 4;
  } else if (b >= 0xE0) {
    n = 3;
  } else if (b >= 0xC0) {
    n = 2;
  }
  if (n > rest.size()) return 0;
  return IsValidUtf8(rest.substr(0, n)) ? n : 0;
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view utf8) {
  out += '"';
  size_t i = 0;
  while (i < utf8.size()) {
    const char c = utf8[i];
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x80) {
      const size_t n = SequenceLength(utf8.substr(i));
      if (n == 0) {
        out += "\\ufffd";
        ++i;
      } else {
        out.append(utf8.substr(i, n));
        i += n;
      }
      continue;
    }
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (b < 0x20 || b == 0x7F) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", b);
          out += escaped;
        } else {
          out += c;
        }
    }
    ++i;
  }
  out += '"';
}

}  // namespace cli
