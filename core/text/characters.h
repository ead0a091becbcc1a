// Character segmentation: a byte 0x81..0xFF that is not the text's last byte
// leads a 2-byte character, CR LF is one character, every other byte (0x80
// included, and the last byte whatever its value) is a character by itself.
#ifndef CORE_TEXT_CHARACTERS_H_
#define CORE_TEXT_CHARACTERS_H_

#include <cstddef>
#include <string_view>

#include "core/text/ansi_text.h"

namespace core {

// Replaces the content of `characters` with one member per character and
// returns their number.
int SplitCharacters(const AnsiText& text, TextList& characters);

// The number SplitCharacters would return, without building the list.
int CountCharacters(const AnsiText& text);

// Width in bytes (1 or 2) of the character that starts at the 0-based offset
// `i` < bytes.size(), for code that walks characters without a list.
inline std::size_t CharacterWidth(std::string_view bytes, std::size_t i) {
  if (i + 1 >= bytes.size()) return 1;
  const auto b = static_cast<unsigned char>(bytes[i]);
  if (b > 0x80) return 2;
  return b == '\r' && bytes[i + 1] == '\n' ? 2 : 1;
}

}  // namespace core

#endif  // CORE_TEXT_CHARACTERS_H_
