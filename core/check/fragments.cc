#include "core/check/fragments.h"

#include <array>
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

bool HoldsAny(std::string_view page,
              const std::array<std::string_view, 2>& markers) {
  for (std::string_view marker : markers) {
    if (page.find(marker) != std::string_view::npos) return true;
  }
  return false;
}

void Pump(const PumpEvents& pump) {
  if (pump) pump();
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
        core::FindText(text, start_marker, position, options.case_sensitive);
    if (f == -1) break;
    const int c = f + start_length;
    const int g = core::FindText(text, end_marker, c, options.case_sensitive);
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

ReplyKind ClassifyReply(int status, std::string_view utf8_page) {
  if (status < 200 || status > 299) return ReplyKind::kNotAnswered;
  if (utf8_page.find(kVerificationTitle) != std::string_view::npos) {
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
  const core::AnsiText utf8_page = core::BytesToText(body);
  switch (ClassifyReply(status, utf8_page.view())) {
    case ReplyKind::kNotAnswered:
      return false;
    case ReplyKind::kNoResults:
      return true;
    case ReplyKind::kResults:
      break;
  }
  const core::AnsiText page = core::Utf8ToAnsi(utf8_page);
  core::TextList candidates;
  ExtractAllBetween(page, "<em>", "</em>", candidates, {}, pump);

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
