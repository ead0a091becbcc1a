#include "core/text/text_ops.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

namespace core {
namespace {

constexpr unsigned char kLeadFloor = 0x80;

unsigned char ByteAt(std::string_view bytes, size_t i) {
  return static_cast<unsigned char>(bytes[i]);
}

bool IsLead(unsigned char b) { return b >= kLeadFloor; }

// Width of the scan unit at i; a dangling lead byte counts as its own unit.
size_t UnitWidth(std::string_view bytes, size_t i) {
  return IsLead(ByteAt(bytes, i)) && i + 1 < bytes.size() ? 2 : 1;
}

// Positions come in as signed ints from callers; widen first so that
// INT_MIN - 1 cannot overflow.
size_t SkippedBytes(int start) {
  return static_cast<size_t>(std::max<long long>(start - 1LL, 0));
}

unsigned char FoldAscii(unsigned char b) {
  return b >= 'A' && b <= 'Z' ? static_cast<unsigned char>(b - 'A' + 'a') : b;
}

// `text` holds at least sought.size() bytes from the unit start i. Without
// case sensitivity only ASCII letters outside a 2-byte unit fold; the unit
// structure is read from the text, whose lead bytes must match exactly.
bool MatchesAt(std::string_view text, size_t i, std::string_view sought,
               bool case_sensitive) {
  if (case_sensitive) {
    return std::memcmp(text.data() + i, sought.data(), sought.size()) == 0;
  }
  bool trail = false;
  for (size_t k = 0; k < sought.size(); ++k) {
    const unsigned char t = ByteAt(text, i + k);
    const unsigned char s = ByteAt(sought, k);
    if (trail || IsLead(t)) {
      if (t != s) return false;
      trail = !trail && IsLead(t);
    } else if (FoldAscii(t) != FoldAscii(s)) {
      return false;
    }
  }
  return true;
}

bool IsFullWidthSpace(std::string_view bytes, size_t i) {
  return i + 1 < bytes.size() && ByteAt(bytes, i) == 0xA1 &&
         ByteAt(bytes, i + 1) == 0xA1;
}

template <typename Number>
AnsiText FormatNumber(Number value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return AnsiText(std::string_view(buffer, result.ptr - buffer));
}

// to_chars follows printf's "%.*g" in the C locale; printf itself would
// follow whatever locale the window toolkit installed.
template <typename Floating>
AnsiText FormatGeneral(Floating value, int precision) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::general, precision);
  if (result.ec != std::errc()) return AnsiText();
  return AnsiText(std::string_view(buffer, result.ptr - buffer));
}

}  // namespace

int TextLength(const AnsiText& text) { return text.size(); }

int CompareText(const AnsiText& a, const AnsiText& b) {
  const int order = a.view().compare(b.view());
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

int FindText(const AnsiText& text, const AnsiText& sought, int start,
             bool case_sensitive) {
  const std::string_view t = text.view();
  const std::string_view s = sought.view();
  const size_t skip = SkippedBytes(start);
  if (skip >= t.size()) return -1;
  if (s.empty()) return 1;
  for (size_t i = skip; i < t.size() && t.size() - i >= s.size();
       i += UnitWidth(t, i)) {
    if (MatchesAt(t, i, s, case_sensitive)) return static_cast<int>(i + 1);
  }
  return -1;
}

AnsiText ReplaceText(const AnsiText& text, const AnsiText& sought,
                     const AnsiText& replacement, int start, int count,
                     bool case_sensitive) {
  const std::string_view t = text.view();
  const std::string_view s = sought.view();
  const size_t skip = SkippedBytes(start);
  if (t.empty() || s.empty() || skip >= t.size() || count == 0) return text;

  std::string out;
  out.reserve(t.size());
  out.append(t.substr(0, skip));
  long long left = count;  // negative: no limit
  size_t i = skip;
  while (i < t.size()) {
    if (t.size() - i < s.size() || left == 0) {
      out.append(t.substr(i));
      break;
    }
    if (MatchesAt(t, i, s, case_sensitive)) {
      out.append(replacement.view());
      i += s.size();
      if (left > 0) --left;
      continue;
    }
    if (IsLead(ByteAt(t, i))) {
      // Only a one-byte sought text reaches a dangling lead byte here; an
      // incomplete unit cannot be copied as a unit, so it is left out.
      if (i + 1 < t.size()) out.append(t.substr(i, 2));
      i += 2;
    } else {
      out.push_back(t[i]);
      ++i;
    }
  }
  return AnsiText(std::move(out));
}

TextList SplitText(const AnsiText& text, const AnsiText& delimiter,
                   std::optional<int> max_pieces) {
  TextList pieces;
  if (text.empty() || (max_pieces && *max_pieces <= 0)) return pieces;
  const std::string_view t = text.view();
  if (delimiter.empty()) {
    pieces.push_back(text);
    return pieces;
  }
  const std::string_view d = delimiter.view();
  const size_t limit = max_pieces ? static_cast<size_t>(*max_pieces)
                                  : std::numeric_limits<size_t>::max();
  size_t piece_start = 0;
  size_t i = 0;
  while (i < t.size()) {
    if (t.size() - i >= d.size() &&
        std::memcmp(t.data() + i, d.data(), d.size()) == 0) {
      pieces.emplace_back(t.substr(piece_start, i - piece_start));
      if (pieces.size() == limit) return pieces;
      i += d.size();
      piece_start = i;
    } else {
      i += UnitWidth(t, i);
    }
  }
  if (piece_start < t.size()) pieces.emplace_back(t.substr(piece_start));
  return pieces;
}

AnsiText LeftText(const AnsiText& text, int n) {
  if (n <= 0) return AnsiText();
  return AnsiText(text.view().substr(0, static_cast<size_t>(n)));
}

AnsiText RightText(const AnsiText& text, int n) {
  if (n <= 0) return AnsiText();
  const size_t keep = std::min(static_cast<size_t>(n), text.view().size());
  return AnsiText(text.view().substr(text.view().size() - keep));
}

AnsiText MidText(const AnsiText& text, int start, int n) {
  if (start < 1 || start > text.size() || n <= 0) return AnsiText();
  return AnsiText(text.view().substr(static_cast<size_t>(start - 1),
                                     static_cast<size_t>(n)));
}

AnsiText TrimSpaces(const AnsiText& text) {
  const std::string_view t = text.view();
  size_t first = t.size();
  size_t end = 0;
  for (size_t i = 0; i < t.size();) {
    const size_t width = UnitWidth(t, i);
    const bool dangling = width == 1 && IsLead(ByteAt(t, i));
    const bool space = t[i] == ' ' || IsFullWidthSpace(t, i);
    if (!space && !dangling) {
      first = std::min(first, i);
      end = i + width;
    }
    i += width;
  }
  if (first >= end) return AnsiText();
  return AnsiText(t.substr(first, end - first));
}

AnsiText RemoveSpaces(const AnsiText& text) {
  const std::string_view t = text.view();
  std::string out;
  out.reserve(t.size());
  for (size_t i = 0; i < t.size();) {
    const size_t width = UnitWidth(t, i);
    const bool dangling = width == 1 && IsLead(ByteAt(t, i));
    const bool space = t[i] == ' ' || IsFullWidthSpace(t, i);
    if (!space && !dangling) out.append(t.substr(i, width));
    i += width;
  }
  return AnsiText(std::move(out));
}

AnsiText NumberToText(std::int32_t value) { return FormatNumber(value); }
AnsiText NumberToText(std::uint8_t value) {
  return FormatNumber(static_cast<unsigned>(value));
}
AnsiText NumberToText(std::int64_t value) { return FormatNumber(value); }
AnsiText NumberToText(float value) { return FormatGeneral(value, 6); }
AnsiText NumberToText(double value) { return FormatGeneral(value, 13); }

double RoundNumber(double x, int decimals) {
  if (x == 0 || std::isnan(x)) return x;
  const double magnitude = std::fabs(x);
  const double scale = std::pow(10.0, std::fabs(static_cast<double>(decimals)));
  double m = magnitude;
  if (decimals > 0) {
    // Scaling past the double range cannot change a value that already has
    // fewer digits than that: the value is its own rounding.
    if (std::isinf(scale) || std::isinf(magnitude * scale)) return x;
    m = magnitude * scale;
  } else if (decimals < 0) {
    if (std::isinf(scale)) return std::copysign(0.0, x);
    m = magnitude / scale;
  }
  const double nudged = m + 1e-12;
  double whole = std::floor(nudged);
  if (nudged - whole >= 0.5) whole += 1;
  double result = whole;
  if (decimals > 0) result = whole / scale;
  if (decimals < 0) result = whole * scale;
  return std::copysign(result, x);
}

ByteBuffer TextToBytes(const AnsiText& text) {
  const std::string_view t = text.view();
  return ByteBuffer(t.begin(), t.end());
}

AnsiText BytesToText(const ByteBuffer& bytes) {
  const auto zero = std::find(bytes.begin(), bytes.end(), 0);
  return AnsiText(std::string(reinterpret_cast<const char*>(bytes.data()),
                              static_cast<size_t>(zero - bytes.begin())));
}

ByteBuffer BytesMid(const ByteBuffer& bytes, int start, int n) {
  const size_t from = static_cast<size_t>(std::max(start, 1)) - 1;
  if (from >= bytes.size() || n <= 0) return ByteBuffer();
  const size_t take = std::min(static_cast<size_t>(n), bytes.size() - from);
  return ByteBuffer(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                    bytes.begin() + static_cast<std::ptrdiff_t>(from + take));
}

}  // namespace core
