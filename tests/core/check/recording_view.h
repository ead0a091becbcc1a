// A CheckerView that keeps the grid and editor as plain data and logs every
// call, so a run can be checked both by its end state and by its order.
#ifndef TESTS_CORE_CHECK_RECORDING_VIEW_H_
#define TESTS_CORE_CHECK_RECORDING_VIEW_H_

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/check/checker_view.h"
#include "core/text/characters.h"

namespace check::testing {

struct Cell {
  core::AnsiText text;
  std::optional<Colour> colour;
};

struct Mark {
  int start;
  int length;
  CharFormat format;
};

class RecordingView : public CheckerView {
 public:
  explicit RecordingView(core::AnsiText editor) : editor_(std::move(editor)) {}

  void set_editor(core::AnsiText editor) { editor_ = std::move(editor); }

  void SetStartEnabled(bool enabled) override {
    start_enabled = enabled;
    Log("SetStartEnabled(" + std::to_string(enabled) + ")");
  }
  void ResetResultGrid() override {
    rows.assign(1, {});
    Log("ResetResultGrid");
  }
  core::AnsiText ReadArticle() override {
    Log("ReadArticle");
    return editor_;
  }
  void AppendResultRow(const core::AnsiText& heading) override {
    Log("AppendResultRow(" + heading.bytes() + ")");
    rows.emplace_back();
    rows.back()[0].text = heading;
  }
  void SetCellText(int row, int column, const core::AnsiText& text) override {
    Log("SetCellText(" + std::to_string(row) + "," + std::to_string(column) +
        "," + text.bytes() + ")");
    if (Inside(row, column)) CellAt(row, column).text = text;
  }
  void SetCellTextColour(int row, int column, Colour colour) override {
    Log("SetCellTextColour(" + std::to_string(row) + "," +
        std::to_string(column) + "," + std::to_string(colour) + ")");
    if (Inside(row, column)) CellAt(row, column).colour = colour;
  }
  void ShowCharacterCount(const core::AnsiText& text) override {
    character_count = text;
    Log("ShowCharacterCount(" + text.bytes() + ")");
  }
  void ShowOriginalityRate(const core::AnsiText& text) override {
    rate = text;
    Log("ShowOriginalityRate(" + text.bytes() + ")");
  }
  // Byte search at character starts, answered in editor characters.
  int FindInEditor(const core::AnsiText& text) override {
    Log("FindInEditor(" + text.bytes() + ")");
    core::TextList characters;
    core::SplitCharacters(editor_, characters);
    std::string prefix;
    for (size_t i = 0; i < characters.size(); ++i) {
      if (editor_.view().substr(prefix.size()).starts_with(text.view())) {
        return static_cast<int>(i);
      }
      prefix += characters[i].bytes();
    }
    return -1;
  }
  void SelectInEditor(int start, int length) override {
    selection = {start, length};
    Log("SelectInEditor(" + std::to_string(start) + "," +
        std::to_string(length) + ")");
  }
  void FormatSelection(const CharFormat& format) override {
    marks.push_back({selection.first, selection.second, format});
    Log("FormatSelection(" + std::to_string(format.size) + "," +
        std::to_string(format.colour) + ")");
  }
  void ResetEditorFormat() override { Log("ResetEditorFormat"); }

  // Entries of the fake fragment source go into the same log.
  void Log(std::string entry) { log.push_back(std::move(entry)); }

  std::vector<std::string> log;
  std::vector<std::array<Cell, 4>> rows{1};
  std::vector<Mark> marks;
  std::pair<int, int> selection{0, 0};
  core::AnsiText character_count;
  core::AnsiText rate;
  bool start_enabled = true;

 private:
  bool Inside(int row, int column) const {
    return row >= 0 && row < static_cast<int>(rows.size()) && column >= 0 &&
           column < 4;
  }
  Cell& CellAt(int row, int column) {
    return rows[static_cast<size_t>(row)][static_cast<size_t>(column)];
  }

  core::AnsiText editor_;
};

}  // namespace check::testing

#endif  // TESTS_CORE_CHECK_RECORDING_VIEW_H_
