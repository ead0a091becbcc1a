#include "core/check/fragments.h"

#include <string.h>  // memmem

#include <array>
#include <cstring>
#include <utility>

#include "core/check/check_run.h"
#include "core/text/characters.h"
#include "core/text/encodings.h"
#include "core/text/list_utils.h"
#include "core/text/text_ops.h"
#include "web/web_request.h"

namespace check {
namespace {

constexpr int kMinimumCharactersExclusive = 5;

// Matched against the page as it arrives, in UTF-8.
constexpr std::string_view kVerificationTitle = "<title>百度安全验证";
constexpr std::array<std::string_view, 2> kNoResultMarkers = {"class=\"nors\"",
                                                              "没有找到与"};
constexpr std::array<std::string_view, 2> kResultMarkers = {
    "id=\"content_left\"", "<!--STATUS OK-->"};

// The C library's substring search skips ahead on long markers, where a
// find by first byte stops at every "<" or common UTF-8 lead byte.
bool Holds(std::string_view page, std::string_view marker) {
  if (page.size() < marker.size()) return false;
  return ::memmem(page.data(), page.size(), marker.data(), marker.size()) !=
         nullptr;
}

bool HoldsAny(std::string_view page,
              const std::array<std::string_view, 2>& markers) {
  for (std::string_view marker : markers) {
    if (Holds(page, marker)) return true;
  }
  return false;
}

// As BytesToText, without copying the page.
std::string_view TextBeforeZero(const core::ByteBuffer& body) {
  if (body.empty()) return {};
  const char* bytes = reinterpret_cast<const char*>(body.data());
  const void* zero = std::memchr(bytes, 0, body.size());
  return std::string_view(
      bytes, zero == nullptr
                 ? body.size()
                 : static_cast<size_t>(static_cast<const char*>(zero) - bytes));
}

void Pump(const PumpEvents& pump) {
  if (pump) pump();
}

bool IsAsciiText(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

unsigned char FoldAscii(unsigned char b) {
  return b >= 'A' && b <= 'Z' ? static_cast<unsigned char>(b - 'A' + 'a') : b;
}

bool IsAsciiLetter(unsigned char b) {
  return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
}

// The first byte offset at or after `from` where `marker` (ASCII) matches,
// letters folded unless `case_sensitive`; npos when there is none.
size_t FindAsciiBytes(std::string_view text, std::string_view marker,
                      size_t from, bool case_sensitive) {
  const auto first = static_cast<unsigned char>(marker[0]);
  const bool fold_first = !case_sensitive && IsAsciiLetter(first);
  const unsigned char lower = FoldAscii(first);
  while (from < text.size() && text.size() - from >= marker.size()) {
    size_t p;
    if (fold_first) {
      p = from;
      while (p < text.size() &&
             FoldAscii(static_cast<unsigned char>(text[p])) != lower) {
        ++p;
      }
    } else {
      p = text.find(static_cast<char>(first), from);
    }
    if (p == std::string_view::npos || text.size() - p < marker.size()) break;
    bool same = true;
    for (size_t k = 1; k < marker.size() && same; ++k) {
      const auto a = static_cast<unsigned char>(text[p + k]);
      const auto b = static_cast<unsigned char>(marker[k]);
      same = case_sensitive ? a == b : FoldAscii(a) == FoldAscii(b);
    }
    if (same) return p;
    from = p + 1;
  }
  return std::string_view::npos;
}

// FindText for an ASCII marker without walking the text unit by unit. A
// byte match at p counts only where p starts a unit, counted from where the
// search starts; since an ASCII byte always ends a unit, that holds exactly
// when an even number of bytes >= 0x80 run up to p.
int FindMarker(const core::AnsiText& text, const core::AnsiText& marker,
               int start, bool case_sensitive) {
  if (!IsAsciiText(marker.view())) {
    return core::FindText(text, marker, start, case_sensitive);
  }
  const std::string_view t = text.view();
  const size_t origin = start > 1 ? static_cast<size_t>(start) - 1 : 0;
  size_t from = origin;
  while (true) {
    const size_t p = FindAsciiBytes(t, marker.view(), from, case_sensitive);
    if (p == std::string_view::npos) return -1;
    size_t run = 0;
    while (p - run > origin &&
           static_cast<unsigned char>(t[p - run - 1]) >= 0x80) {
      ++run;
    }
    if (run % 2 == 0) return static_cast<int>(p) + 1;
    from = p + 1;
  }
}

// Code points that code page 936 writes as one byte of 0x80 or above: the
// euro sign (0x80) and U+F8F5 (0xFF). Such a byte takes the next one into
// its unit when the converted page is scanned. A page without them converts
// into whole characters only, so every "<" (never a second byte) starts a
// unit and the markers are where they were before the conversion.
bool ConvertsIntoWholeCharacters(std::string_view utf8_page) {
  return utf8_page.find("\xE2\x82\xAC") == std::string_view::npos &&
         utf8_page.find("\xEF\xA3\xB5") == std::string_view::npos;
}

// The candidates of ExtractAllBetween over the converted page with every
// option omitted, with the same PumpEvents calls, converting only the text
// between the markers: the conversion of the whole page would cost more than
// the rest of the reduction.
void ExtractHighlightsBeforeConversion(std::string_view utf8_page,
                                       core::TextList& candidates,
                                       const PumpEvents& pump) {
  constexpr std::string_view kStart = "<em>";
  constexpr std::string_view kEnd = "</em>";
  size_t position = 0;
  while (true) {
    const size_t f = FindAsciiBytes(utf8_page, kStart, position, false);
    if (f == std::string_view::npos) break;
    const size_t c = f + kStart.size();
    const size_t g = FindAsciiBytes(utf8_page, kEnd, c, false);
    if (g == std::string_view::npos) break;
    core::AnsiText candidate = core::TrimSpaces(
        core::Utf8ToAnsi(core::AnsiText(utf8_page.substr(c, g - c))));
    if (!candidate.empty()) {
      candidates.push_back(std::move(candidate));
      position = g;
    } else {
      position = c;
    }
    Pump(pump);
    Pump(pump);
    Pump(pump);
  }
}

// The engine's ASCII marks become the full-width ones a cleaned segment
// keeps, and one closing mark the segment may lack is cut.
core::AnsiText NormaliseCandidate(const core::AnsiText& candidate) {
  static const std::array<std::array<const char*, 2>, 3> kMarks = {{
      {",", "\xA3\xAC"},  // ，
      {".", "\xA1\xA3"},  // 。
      {"?", "\xA3\xBF"},  // ？
  }};
  core::AnsiText t = candidate;
  for (const auto& [ascii, full_width] : kMarks) {
    t = core::ReplaceText(t, ascii, full_width, 1, core::kEveryOccurrence,
                          true);
  }
  const core::AnsiText last = core::RightText(t, 2);
  for (const auto& mark : kMarks) {
    if (last == core::AnsiText(mark[1])) {
      t = core::LeftText(t, core::TextLength(t) - 2);
      break;
    }
  }
  return t;
}

int ExtractHighlightsOf(std::string_view utf8_page, core::TextList& candidates,
                        const PumpEvents& pump) {
  candidates.clear();
  if (ConvertsIntoWholeCharacters(utf8_page)) {
    ExtractHighlightsBeforeConversion(utf8_page, candidates, pump);
    return static_cast<int>(candidates.size());
  }
  return ExtractAllBetween(core::Utf8ToAnsi(core::AnsiText(utf8_page)), "<em>",
                           "</em>", candidates, {}, pump);
}

}  // namespace

int ExtractAllBetween(const core::AnsiText& text,
                      const core::AnsiText& start_marker,
                      const core::AnsiText& end_marker, core::TextList& results,
                      const ExtractOptions& options, const PumpEvents& pump) {
  results.clear();
  // An empty marker is found everywhere at once and would never let the
  // scan move on.
  if (start_marker.empty() || end_marker.empty()) return 0;
  const int start_length = core::TextLength(start_marker);
  int position = options.start_position;
  while (true) {
    const int f =
        FindMarker(text, start_marker, position, options.case_sensitive);
    if (f == -1) break;
    const int c = f + start_length;
    const int g = FindMarker(text, end_marker, c, options.case_sensitive);
    if (g == -1) break;
    core::AnsiText candidate = options.prefix +
                               core::TrimSpaces(core::MidText(text, c, g - c)) +
                               options.suffix;
    if (!candidate.empty()) {
      if (options.include_start_marker) candidate = start_marker + candidate;
      if (options.include_end_marker) candidate += end_marker;
      if (options.length_limit != 0) {
        if (candidate.size() < options.length_limit) {
          results.push_back(std::move(candidate));
        }
        Pump(pump);
      } else {
        results.push_back(std::move(candidate));
      }
      position = g;
    } else {
      position = c;
    }
    Pump(pump);
    Pump(pump);
    Pump(pump);
  }
  return static_cast<int>(results.size());
}

int ExtractHighlights(const core::AnsiText& utf8_page,
                      core::TextList& candidates, const PumpEvents& pump) {
  return ExtractHighlightsOf(utf8_page.view(), candidates, pump);
}

ReplyKind ClassifyReply(int status, std::string_view utf8_page) {
  if (status < 200 || status > 299) return ReplyKind::kNotAnswered;
  if (Holds(utf8_page, kVerificationTitle)) {
    return ReplyKind::kNotAnswered;
  }
  // Checked before the result markers: the no-result page has them too.
  if (HoldsAny(utf8_page, kNoResultMarkers)) return ReplyKind::kNoResults;
  if (HoldsAny(utf8_page, kResultMarkers)) return ReplyKind::kResults;
  return ReplyKind::kNotAnswered;
}

bool FragmentsFromReply(int status, const core::ByteBuffer& body,
                        const core::AnsiText& segment,
                        core::TextList& fragments, const PumpEvents& pump) {
  const std::string_view utf8_page = TextBeforeZero(body);
  switch (ClassifyReply(status, utf8_page)) {
    case ReplyKind::kNotAnswered:
      return false;
    case ReplyKind::kNoResults:
      return true;
    case ReplyKind::kResults:
      break;
  }
  core::TextList candidates;
  ExtractHighlightsOf(utf8_page, candidates, pump);

  core::TextList long_enough;
  for (const core::AnsiText& candidate : candidates) {
    if (core::CountCharacters(candidate) > kMinimumCharactersExclusive) {
      long_enough.push_back(candidate);
    }
  }
  core::SortByLength(long_enough);
  core::RemoveDuplicates(long_enough);
  for (const core::AnsiText& candidate : long_enough) {
    core::AnsiText t = NormaliseCandidate(candidate);
    if (core::FindText(segment, t, 1, true) != -1) {
      fragments.push_back(std::move(t));
    }
  }
  return true;
}

bool CollectHighlightFragmentsWith(const core::AnsiText& address_prefix,
                                   const core::AnsiText& segment,
                                   core::TextList& fragments,
                                   const RequestFactory& make_request,
                                   const PumpEvents& pump) {
  web::WebRequestOptions options;
  // The segment's bytes go out unencoded; the HTTP layer puts them on the
  // wire.
  options.address = address_prefix + segment;
  if (make_request) options.request_object = make_request();
  const core::ByteBuffer body = web::WebRequest(options);
  return FragmentsFromReply(options.status, body, segment, fragments, pump);
}

bool CollectHighlightFragmentsAt(const core::AnsiText& address_prefix,
                                 const core::AnsiText& segment,
                                 core::TextList& fragments,
                                 const PumpEvents& pump) {
  return CollectHighlightFragmentsWith(address_prefix, segment, fragments, {},
                                       pump);
}

bool CollectHighlightFragments(const core::AnsiText& segment,
                               core::TextList& fragments,
                               const PumpEvents& pump) {
  return CollectHighlightFragmentsAt(kSearchAddressPrefix, segment, fragments,
                                     pump);
}

}  // namespace check
