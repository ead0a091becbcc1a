#include "core/check/check_run.h"

#include <cstdint>

#include "core/text/article.h"
#include "core/text/characters.h"
#include "core/text/encodings.h"
#include "core/text/list_utils.h"
#include "core/text/text_ops.h"

namespace check {
namespace {

// "失败" and "检测失败" in code page 936.
constexpr const char* kFailedCell = "\xCA\xA7\xB0\xDC";
constexpr const char* kCheckFailedRate = "\xBC\xEC\xB2\xE2\xCA\xA7\xB0\xDC";

// Only answered segments vote: an unreachable or blocking engine must not
// make an article look original.
core::AnsiText RateText(int segments, int answered, int without_fragments) {
  if (segments == 0) return {};
  if (answered == 0) return kCheckFailedRate;
  const double q = static_cast<double>(without_fragments) / answered;
  const double r = q * 100.0;
  return core::NumberToText(core::RoundNumber(r, 2)) + "%";
}

}  // namespace

void CheckRun(CheckerView& view, const FragmentSource& fragment_source) {
  view.SetStartEnabled(false);
  view.ResetResultGrid();
  const core::AnsiText article = view.ReadArticle();
  const core::TextList segments =
      core::CutIntoSegments(core::CleanArticle(article));
  const int s = static_cast<int>(segments.size());

  int answered = 0;
  int without_fragments = 0;
  core::TextList all_fragments;
  core::TextList fragments;
  for (int j = 1; j <= s; ++j) {
    const core::AnsiText& segment = segments[static_cast<size_t>(j - 1)];
    fragments.clear();
    view.AppendResultRow(core::NumberToText(static_cast<std::int32_t>(j)));
    view.SetCellText(j, 1, segment);
    const bool was_answered =
        fragment_source ? fragment_source(segment, fragments) : false;
    if (!was_answered) {
      // Whatever a failed source left in the list is not evidence.
      fragments.clear();
      view.SetCellTextColour(j, 2, kGrey);
      view.SetCellText(j, 2, kFailedCell);
    } else {
      ++answered;
      if (!fragments.empty()) {
        view.SetCellTextColour(j, 2, kRed);
      } else {
        ++without_fragments;
      }
      view.SetCellText(
          j, 2,
          core::NumberToText(static_cast<std::int32_t>(fragments.size())));
    }
    view.SetCellText(j, 3,
                     core::AnsiText(kSearchAddressPrefix) +
                         core::UrlEncode(segment, true, true));
    view.SetCellTextColour(j, 3, kBlue);
    for (const core::AnsiText& f : fragments) all_fragments.push_back(f);
  }

  const core::AnsiText text = view.ReadArticle();
  view.ShowCharacterCount(core::NumberToText(
      static_cast<std::int32_t>(core::CountCharacters(text))));
  view.ShowOriginalityRate(RateText(s, answered, without_fragments));

  core::RemoveDuplicates(all_fragments);
  core::SortByLength(all_fragments);
  for (const core::AnsiText& f : all_fragments) {
    const int position = view.FindInEditor(f);
    if (position == -1) continue;
    view.SelectInEditor(position, core::CountCharacters(f));
    view.FormatSelection(kHighlightFormat);
  }
  view.ResetEditorFormat();
  view.SetStartEnabled(true);
}

}  // namespace check
