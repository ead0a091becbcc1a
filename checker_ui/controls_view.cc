#include "checker_ui/controls_view.h"

#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include "checker_ui/ansi_qt.h"
#include "checker_ui/article_editor.h"
#include "checker_ui/char_format_qt.h"
#include "checker_ui/checker_window.h"
#include "checker_ui/result_grid.h"

namespace checker_ui {

void ControlsView::SetStartEnabled(bool enabled) {
  window_.start_button()->setEnabled(enabled);
}

void ControlsView::ResetResultGrid() { window_.grid()->Reset(); }

core::AnsiText ControlsView::ReadArticle() {
  return ToAnsi(
      window_.editor()->Text().replace(QChar(u'\n'), QStringLiteral("\r\n")));
}

void ControlsView::AppendResultRow(const core::AnsiText& heading) {
  window_.grid()->AppendRow(ToQString(heading));
}

void ControlsView::SetCellText(int row, int column,
                               const core::AnsiText& text) {
  window_.grid()->SetCellText(row, column, ToQString(text));
}

void ControlsView::SetCellTextColour(int row, int column,
                                     check::Colour colour) {
  // The automatic colour is the grid's own default.
  window_.grid()->SetCellTextColour(
      row, column,
      colour == check::kAutomaticColour ? QColor() : ToQColor(colour));
}

void ControlsView::ShowCharacterCount(const core::AnsiText& text) {
  window_.character_count_box()->setText(ToQString(text));
}

void ControlsView::ShowOriginalityRate(const core::AnsiText& text) {
  window_.rate_box()->setText(ToQString(text));
}

int ControlsView::FindInEditor(const core::AnsiText& text) {
  return window_.editor()->Find(ToQString(text));
}

void ControlsView::SelectInEditor(int start, int length) {
  window_.editor()->Select(start, length);
}

void ControlsView::FormatSelection(const check::CharFormat& format) {
  window_.editor()->FormatSelection(format);
}

void ControlsView::ResetEditorFormat() {
  window_.editor()->SetDefaultFormat(check::kEditorDefaultFormat);
}

}  // namespace checker_ui
