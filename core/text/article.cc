#include "core/text/article.h"

#include <cstddef>
#include <string>
#include <string_view>

#include "core/text/characters.h"

namespace core {

constexpr std::array<const char*, 33> kStripTable = {
    "%", "&", "*",  "+", "~", "!", "@", "#",  "$", "^",        "_",
    "-", "=", ",",  ".", "?", ":", ";", "(",  ")", "[",        "]",
    "{", "}", "\"", "'", "<", ">", "/", "\\", "|", "\xA1\xA1", "\r\n"};

namespace {

// The one-byte units that cleaning removes: the tab and every one-byte entry.
constexpr std::array<bool, 256> StrippedBytes() {
  std::array<bool, 256> stripped{};
  stripped['\t'] = true;
  for (const char* entry : kStripTable) {
    if (entry[0] != '\0' && entry[1] == '\0') {
      stripped[static_cast<unsigned char>(entry[0])] = true;
    }
  }
  return stripped;
}

constexpr std::array<bool, 256> kStrippedBytes = StrippedBytes();

}  // namespace

// Cleaning is defined as the tab removal followed by one whole-text
// replacement per table entry. Every removal takes out whole scan units, so
// the units that survive keep their boundaries from pass to pass, and the
// 34 passes collapse into one walk over the units:
// - the tab pass drops a dangling lead byte at the very end;
// - the one-byte entries and the full-width space remove their units;
// - the CR LF pass comes last, so it pairs a kept CR with the next kept unit
//   when that is an LF, left to right, a CR consumed once only.
AnsiText CleanArticle(const AnsiText& text) {
  const std::string_view bytes = text.view();
  std::string out;
  out.reserve(bytes.size());
  bool last_kept_is_cr = false;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b >= 0x80) {
      if (i + 1 == bytes.size()) break;
      if (b != 0xA1 || static_cast<unsigned char>(bytes[i + 1]) != 0xA1) {
        out.append(bytes.substr(i, 2));
        last_kept_is_cr = false;
      }
      i += 2;
      continue;
    }
    if (!kStrippedBytes[b]) {
      if (b == '\n' && last_kept_is_cr) {
        out.pop_back();
        last_kept_is_cr = false;
      } else {
        out.push_back(static_cast<char>(b));
        last_kept_is_cr = b == '\r';
      }
    }
    ++i;
  }
  return AnsiText(std::move(out));
}

TextList CutIntoSegments(const AnsiText& cleaned) {
  TextList segments;
  const std::string_view bytes = cleaned.view();
  // No more segments than 36-byte pieces; counting characters first would
  // cost a pass of its own.
  segments.reserve((bytes.size() + kSegmentCharacters - 1) /
                   kSegmentCharacters);
  std::size_t segment_start = 0;
  int characters = 0;
  for (std::size_t i = 0; i < bytes.size();) {
    i += CharacterWidth(bytes, i);
    if (++characters == kSegmentCharacters || i == bytes.size()) {
      segments.emplace_back(bytes.substr(segment_start, i - segment_start));
      segment_start = i;
      characters = 0;
    }
  }
  return segments;
}

}  // namespace core
