// The check run's view carried out directly on the window's controls.
#ifndef CHECKER_UI_CONTROLS_VIEW_H_
#define CHECKER_UI_CONTROLS_VIEW_H_

#include "core/check/checker_view.h"

namespace checker_ui {

class CheckerWindow;

// Window thread only; a worker reaches it through WindowThreadView.
class ControlsView : public check::CheckerView {
 public:
  explicit ControlsView(CheckerWindow& window) : window_(window) {}

  void SetStartEnabled(bool enabled) override;
  void ResetResultGrid() override;
  core::AnsiText ReadArticle() override;
  void AppendResultRow(const core::AnsiText& heading) override;
  void SetCellText(int row, int column, const core::AnsiText& text) override;
  void SetCellTextColour(int row, int column, check::Colour colour) override;
  void ShowCharacterCount(const core::AnsiText& text) override;
  void ShowOriginalityRate(const core::AnsiText& text) override;
  int FindInEditor(const core::AnsiText& text) override;
  void SelectInEditor(int start, int length) override;
  void FormatSelection(const check::CharFormat& format) override;
  void ResetEditorFormat() override;

 private:
  CheckerWindow& window_;
};

}  // namespace checker_ui

#endif  // CHECKER_UI_CONTROLS_VIEW_H_
