#include "checker_cli/console_view.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "core/text/characters.h"

namespace cli {

ConsoleView::ConsoleView(core::AnsiText article, RowDone on_row)
    : article_(std::move(article)), on_row_(std::move(on_row)) {
  core::SplitCharacters(article_, characters_);
  starts_.reserve(characters_.size() + 1);
  int offset = 0;
  for (const core::AnsiText& c : characters_) {
    starts_.push_back(offset);
    offset += c.size();
  }
  starts_.push_back(offset);
  marked_.assign(characters_.size(), false);
}

void ConsoleView::ResetResultGrid() { rows_.clear(); }

void ConsoleView::AppendResultRow(const core::AnsiText& heading) {
  ConsoleRow row;
  row.index = static_cast<int>(rows_.size()) + 1;
  row.heading = heading;
  rows_.push_back(std::move(row));
}

void ConsoleView::SetCellText(int row, int column, const core::AnsiText& text) {
  if (row < 1 || row > static_cast<int>(rows_.size())) return;
  ConsoleRow& r = rows_[static_cast<size_t>(row - 1)];
  switch (column) {
    case 0:
      r.heading = text;
      break;
    case 1:
      r.segment = text;
      break;
    case 2:
      r.count = text;
      break;
    case 3:
      r.address = text;
      if (on_row_) on_row_(r);
      break;
    default:
      break;
  }
}

// Matches count only where they start on a character, as the editor sees
// the text; a byte match from the middle of a 2-byte character is none.
int ConsoleView::FindInEditor(const core::AnsiText& text) {
  if (text.empty()) return -1;
  const std::string_view haystack = article_.view();
  size_t from = 0;
  while (true) {
    const size_t found = haystack.find(text.view(), from);
    if (found == std::string_view::npos) return -1;
    const auto it = std::lower_bound(starts_.begin(), starts_.end() - 1,
                                     static_cast<int>(found));
    if (it != starts_.end() - 1 && *it == static_cast<int>(found)) {
      return static_cast<int>(it - starts_.begin());
    }
    from = found + 1;
  }
}

void ConsoleView::SelectInEditor(int start, int length) {
  const int total = static_cast<int>(characters_.size());
  selection_start_ = std::clamp(start, 0, total);
  selection_length_ = length < 0 ? total - selection_start_
                                 : std::min(length, total - selection_start_);
}

void ConsoleView::FormatSelection(const check::CharFormat&) {
  ConsoleMark mark;
  mark.start = selection_start_;
  mark.length = selection_length_;
  const int from = ByteOffset(selection_start_);
  const int to = ByteOffset(selection_start_ + selection_length_);
  mark.text = core::AnsiText(article_.view().substr(
      static_cast<size_t>(from), static_cast<size_t>(to - from)));
  for (int i = 0; i < selection_length_; ++i) {
    marked_[static_cast<size_t>(selection_start_ + i)] = true;
  }
  marks_.push_back(std::move(mark));
}

int ConsoleView::ByteOffset(int character) const {
  return starts_[static_cast<size_t>(character)];
}

}  // namespace cli
