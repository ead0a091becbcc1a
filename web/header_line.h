// Taking request header lines and response lines apart.
#ifndef WEB_HEADER_LINE_H_
#define WEB_HEADER_LINE_H_

#include "core/text/ansi_text.h"

namespace web {

// The trimmed text before the first ":" of a header line; "" without ":".
core::AnsiText HeaderLineName(const core::AnsiText& line);
// The trimmed text after the first ":" (later colons stay); "" without ":".
core::AnsiText HeaderLineValue(const core::AnsiText& line);

// The bytes between the first start marker at or after `start` and the next
// end marker after it; "" when either is missing. In both markers "#引号"
// (in code page 936) stands for a double quote, so a marker can hold one.
core::AnsiText TextBetween(const core::AnsiText& text,
                           const core::AnsiText& start_marker,
                           const core::AnsiText& end_marker, int start = 1,
                           bool case_sensitive = true);

}  // namespace web

#endif  // WEB_HEADER_LINE_H_
