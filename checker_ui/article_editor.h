// The article editor: plain text in, character formats on top, positions
// counted the way the check run counts characters.
#ifndef CHECKER_UI_ARTICLE_EDITOR_H_
#define CHECKER_UI_ARTICLE_EDITOR_H_

#include <QString>
#include <QTextCursor>
#include <QTextEdit>

#include "core/check/checker_view.h"

class QFocusEvent;

namespace checker_ui {

// Positions count one per character of the text and one per line break,
// which for code page 936 text is one per character of the check run.
class ArticleEditor : public QTextEdit {
  Q_OBJECT

 public:
  explicit ArticleEditor(QWidget* parent = nullptr);

  // Replaces the whole content as plain text; marks go with the old text.
  void ReplaceText(const QString& text);
  // The whole content, each line break as '\n'.
  QString Text() const;

  // First occurrence from the start, case-sensitive; a line break in `text`
  // (CR LF, CR or LF) matches one in the editor. -1 if none or `text` is
  // empty.
  int Find(const QString& text) const;
  // A negative start counts as 0, a negative length selects everything;
  // the range is cut at the end of the text.
  void Select(int start, int length);
  // The selected range, also while it is hidden for lack of focus.
  QTextCursor Selection() const;
  // With nothing selected the format is the one typing continues with.
  void FormatSelection(const check::CharFormat& format);
  // The format of text that has none of its own; formatted text keeps its.
  void SetDefaultFormat(const check::CharFormat& format);
  // What the character at `position` is drawn with, defaults resolved.
  check::CharFormat FormatAt(int position) const;

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void ShowCursor(const QTextCursor& cursor);

  // Qt draws a selection also without focus; while the editor lacks it the
  // selection waits here and the visible cursor holds none. A QTextCursor
  // follows edits of the document, so the range stays on its characters.
  QTextCursor hidden_selection_;
  bool selection_hidden_ = false;
};

}  // namespace checker_ui

#endif  // CHECKER_UI_ARTICLE_EDITOR_H_
