// A CheckerView for the console: the editor is the article text held in
// memory, the grid is a list of rows handed on as each one is complete.
#ifndef CHECKER_CLI_CONSOLE_VIEW_H_
#define CHECKER_CLI_CONSOLE_VIEW_H_

#include <functional>
#include <string>
#include <vector>

#include "core/check/checker_view.h"
#include "core/text/ansi_text.h"

namespace cli {

struct ConsoleRow {
  int index = 0;
  core::AnsiText heading;
  core::AnsiText segment;
  core::AnsiText count;  // the count, or the failure text
  core::AnsiText address;
};

struct ConsoleMark {
  int start = 0;   // editor characters
  int length = 0;  // editor characters
  core::AnsiText text;
};

class ConsoleView : public check::CheckerView {
 public:
  using RowDone = std::function<void(const ConsoleRow&)>;

  // `on_row` is called once a row's address, its last cell, is written.
  ConsoleView(core::AnsiText article, RowDone on_row);

  void SetStartEnabled(bool) override {}
  void ResetResultGrid() override;
  core::AnsiText ReadArticle() override { return article_; }
  void AppendResultRow(const core::AnsiText& heading) override;
  void SetCellText(int row, int column, const core::AnsiText& text) override;
  void SetCellTextColour(int, int, check::Colour) override {}
  void ShowCharacterCount(const core::AnsiText& text) override {
    character_count_ = text;
  }
  void ShowOriginalityRate(const core::AnsiText& text) override {
    rate_ = text;
  }
  int FindInEditor(const core::AnsiText& text) override;
  void SelectInEditor(int start, int length) override;
  void FormatSelection(const check::CharFormat& format) override;
  void ResetEditorFormat() override {}

  const std::vector<ConsoleRow>& rows() const { return rows_; }
  const std::vector<ConsoleMark>& marks() const { return marks_; }
  const core::AnsiText& article() const { return article_; }
  const core::AnsiText& character_count() const { return character_count_; }
  const core::AnsiText& rate() const { return rate_; }
  // The article's characters, each with whether a mark covers it.
  const core::TextList& characters() const { return characters_; }
  const std::vector<bool>& marked() const { return marked_; }

 private:
  // The byte offset of editor character i, and one past the last.
  int ByteOffset(int character) const;

  core::AnsiText article_;
  RowDone on_row_;
  core::TextList characters_;
  std::vector<int> starts_;  // byte offset of each character, then the size
  std::vector<bool> marked_;
  std::vector<ConsoleRow> rows_;  // rows_[k] is grid row k + 1
  std::vector<ConsoleMark> marks_;
  int selection_start_ = 0;
  int selection_length_ = 0;
  core::AnsiText character_count_;
  core::AnsiText rate_;
};

}  // namespace cli

#endif  // CHECKER_CLI_CONSOLE_VIEW_H_
