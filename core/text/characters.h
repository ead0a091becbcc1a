// Character segmentation: a byte 0x81..0xFF that is not the text's last byte
// leads a 2-byte character, CR LF is one character, every other byte (0x80
// included, and the last byte whatever its value) is a character by itself.
#ifndef CORE_TEXT_CHARACTERS_H_
#define CORE_TEXT_CHARACTERS_H_

#include "core/text/ansi_text.h"

namespace core {

// Replaces the content of `characters` with one member per character and
// returns their number.
int SplitCharacters(const AnsiText& text, TextList& characters);

// The number SplitCharacters would return, without building the list.
int CountCharacters(const AnsiText& text);

}  // namespace core

#endif  // CORE_TEXT_CHARACTERS_H_
