// The text operations the other parts invoke by name, with their exact edge
// behaviour. Positions count bytes from 1; a failed search gives -1.
//
// Two byte rules exist side by side:
// - the scan rule (FindText, ReplaceText, SplitText, TrimSpaces, RemoveSpaces):
//   a byte >= 0x80 and the byte after it form one unit; matches are tried
//   only at unit starts;
// - the character rule (characters.h): a byte 0x81..0xFF that is not the last
//   byte leads a 2-byte character, CR LF is one character.
#ifndef CORE_TEXT_TEXT_OPS_H_
#define CORE_TEXT_TEXT_OPS_H_

#include <cstdint>
#include <optional>

#include "core/text/ansi_text.h"

namespace core {

int TextLength(const AnsiText& text);

// -1, 0 or 1 by unsigned bytes; a proper prefix sorts first.
int CompareText(const AnsiText& a, const AnsiText& b);

// With case_sensitive false only ASCII letters fold; every other byte, the
// second byte of a 2-byte unit included, must match exactly.
int FindText(const AnsiText& text, const AnsiText& sought, int start = 1,
             bool case_sensitive = true);

// count < 0 (the default) replaces every occurrence; count 0 replaces none.
// Matches never overlap. With a one-byte `sought`, a lead byte left dangling
// at the end is dropped unless it matches; once count is spent the rest is
// copied as it stands.
inline constexpr int kEveryOccurrence = -1;
AnsiText ReplaceText(const AnsiText& text, const AnsiText& sought,
                     const AnsiText& replacement = {}, int start = 1,
                     int count = kEveryOccurrence, bool case_sensitive = true);

// max_pieces omitted: no limit; given negative: counts as 0.
TextList SplitText(const AnsiText& text, const AnsiText& delimiter = ",",
                   std::optional<int> max_pieces = std::nullopt);

AnsiText LeftText(const AnsiText& text, int n);
AnsiText RightText(const AnsiText& text, int n);
AnsiText MidText(const AnsiText& text, int start, int n);

// A space is 0x20 or the full-width space 0xA1 0xA1; tab, CR, LF are not.
// Both drop a lead byte left dangling at the end.
AnsiText TrimSpaces(const AnsiText& text);
AnsiText RemoveSpaces(const AnsiText& text);

AnsiText NumberToText(std::int32_t value);  // "%d"
AnsiText NumberToText(std::uint8_t value);  // "%u"
AnsiText NumberToText(std::int64_t value);
AnsiText NumberToText(float value);   // "%.6g"
AnsiText NumberToText(double value);  // "%.13g"

// Half away from zero, with a 1e-12 nudge so that 1.005 gives 1.01.
double RoundNumber(double x, int decimals);

ByteBuffer TextToBytes(const AnsiText& text);
// The bytes before the buffer's first zero byte.
AnsiText BytesToText(const ByteBuffer& bytes);
ByteBuffer BytesMid(const ByteBuffer& bytes, int start, int n);

}  // namespace core

#endif  // CORE_TEXT_TEXT_OPS_H_
