// Conversions between code page 936 and UTF-8 through UTF-16, as the
// platform converts them with no flags, and percent-encoding.
#ifndef CORE_TEXT_ENCODINGS_H_
#define CORE_TEXT_ENCODINGS_H_

#include "core/text/ansi_text.h"

namespace core {

inline constexpr int kCodePageAnsi = 0;  // the system's ANSI code page: 936
inline constexpr int kCodePage936 = 936;
inline constexpr int kCodePageUtf8 = 65001;

AnsiText Utf8ToAnsi(const AnsiText& utf8);
// The UTF-8 bytes of the same characters, carried in an AnsiText.
AnsiText AnsiToUtf8(const AnsiText& ansi);

// UTF-16LE units ended by a zero unit; empty for an empty text.
ByteBuffer DecodeToWide(const AnsiText& text, int code_page = kCodePageUtf8);
// Converts up to the first zero unit.
AnsiText EncodeFromWide(const ByteBuffer& wide, int code_page = kCodePageAnsi);

AnsiText UrlEncode(const AnsiText& text, bool keep_unreserved = false,
                   bool as_utf8 = false);

}  // namespace core

#endif  // CORE_TEXT_ENCODINGS_H_
