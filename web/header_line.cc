#include "web/header_line.h"

#include "core/text/text_ops.h"

namespace web {

namespace {

// "#引号" in code page 936.
constexpr char kQuoteMarker[] = "#\xD2\xFD\xBA\xC5";

core::AnsiText WithQuotes(const core::AnsiText& marker) {
  return core::ReplaceText(marker, kQuoteMarker, "\"", 1,
                           core::kEveryOccurrence, true);
}

}  // namespace

core::AnsiText HeaderLineName(const core::AnsiText& line) {
  const int colon = core::FindText(line, ":");
  if (colon == -1) return {};
  return core::TrimSpaces(core::LeftText(line, colon - 1));
}

core::AnsiText HeaderLineValue(const core::AnsiText& line) {
  const int colon = core::FindText(line, ":");
  if (colon == -1) return {};
  return core::TrimSpaces(core::RightText(line, line.size() - colon));
}

core::AnsiText TextBetween(const core::AnsiText& text,
                           const core::AnsiText& start_marker,
                           const core::AnsiText& end_marker, int start,
                           bool case_sensitive) {
  const core::AnsiText opening = WithQuotes(start_marker);
  const core::AnsiText closing = WithQuotes(end_marker);
  int s = core::FindText(text, opening, start, case_sensitive);
  if (s == -1) return {};
  s += opening.size();
  const int e = core::FindText(text, closing, s, case_sensitive);
  if (e == -1) return {};
  // An empty end marker is found at 1 rather than at s, which leaves a
  // negative length here and so the empty text.
  return core::MidText(text, s, e - s);
}

}  // namespace web
