#include "checker_ui/article_editor.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QPalette>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <algorithm>
#include <cstdint>

#include "checker_ui/ansi_qt.h"
#include "checker_ui/char_format_qt.h"

namespace checker_ui {
namespace {

constexpr QChar kBreak = QChar::ParagraphSeparator;

// The system's window text colour, which "automatic" stands for.
QColor AutomaticColour() {
  return QGuiApplication::palette().color(QPalette::Active,
                                          QPalette::WindowText);
}

}  // namespace

ArticleEditor::ArticleEditor(QWidget* parent) : QTextEdit(parent) {
  setAcceptRichText(false);
  setLineWrapMode(QTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // Tab leaves the editor, so the keyboard can reach the other controls.
  setTabChangesFocus(true);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  QPalette colours = palette();
  for (auto group :
       {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    colours.setColor(group, QPalette::Base, Qt::black);
  }
  setPalette(colours);
}

void ArticleEditor::ReplaceText(const QString& text) {
  // The document's own call, not QTextEdit's: that one would lay the
  // character format under the cursor (a red mark, say) over the new text.
  document()->setPlainText(text);
}

QString ArticleEditor::Text() const { return document()->toPlainText(); }

int ArticleEditor::Find(const QString& text) const {
  if (text.isEmpty()) return -1;
  QString sought = text;
  sought.replace(QStringLiteral("\r\n"), QString(kBreak));
  sought.replace(QChar(u'\r'), kBreak);
  sought.replace(QChar(u'\n'), kBreak);
  sought.replace(QChar::LineSeparator, kBreak);
  // One character per document position; spaces as the plain text has them.
  QString content = document()->toRawText();
  content.replace(QChar::LineSeparator, kBreak);
  content.replace(QChar::Nbsp, QChar(u' '));
  return static_cast<int>(content.indexOf(sought, 0, Qt::CaseSensitive));
}

void ArticleEditor::Select(int start, int length) {
  const int last = std::max(0, document()->characterCount() - 1);
  int from = 0;
  int to = last;
  if (length >= 0) {
    from = std::clamp(start, 0, last);
    to = static_cast<int>(
        std::min<std::int64_t>(static_cast<std::int64_t>(from) + length, last));
  }
  QTextCursor cursor(document());
  cursor.setPosition(from);
  cursor.setPosition(to, QTextCursor::KeepAnchor);
  if (hasFocus()) {
    selection_hidden_ = false;
    setTextCursor(cursor);
    return;
  }
  hidden_selection_ = cursor;
  selection_hidden_ = true;
  ShowCursor(cursor);
}

QTextCursor ArticleEditor::Selection() const {
  return selection_hidden_ ? hidden_selection_ : textCursor();
}

void ArticleEditor::FormatSelection(const check::CharFormat& format) {
  const QTextCharFormat qt_format = ToTextCharFormat(format, AutomaticColour());
  QTextCursor selection = Selection();
  if (selection.hasSelection()) {
    selection.setCharFormat(qt_format);
  } else {
    setCurrentCharFormat(qt_format);
  }
}

void ArticleEditor::SetDefaultFormat(const check::CharFormat& format) {
  const QFont font = ToFont(format);
  setFont(font);
  document()->setDefaultFont(font);
  const QColor colour = format.colour == check::kAutomaticColour
                            ? AutomaticColour()
                            : ToQColor(format.colour);
  QPalette colours = palette();
  for (auto group :
       {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    colours.setColor(group, QPalette::Text, colour);
  }
  setPalette(colours);
}

check::CharFormat ArticleEditor::FormatAt(int position) const {
  const QTextBlock block = document()->findBlock(position);
  // A line break is the separator after its block, and Qt keeps its format
  // as the character format of the block that follows.
  QTextCharFormat own = document()->findBlock(position + 1).charFormat();
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    if (fragment.contains(position)) {
      own = fragment.charFormat();
      break;
    }
  }
  const QFont font = own.font().resolve(document()->defaultFont());
  check::CharFormat result;
  result.face = ToAnsi(font.families().value(0, font.family()));
  result.size = qRound(font.pointSizeF());
  result.offset = own.property(kOffsetPointsProperty).toInt();
  result.effects =
      (font.bold() ? check::kBold : 0) | (font.italic() ? check::kItalic : 0) |
      (font.underline() ? check::kUnderline : 0) |
      (font.strikeOut() ? check::kStrikeOut : 0) |
      (own.property(kProtectedProperty).toBool() ? check::kProtected : 0);
  result.colour = FromQColor(own.hasProperty(QTextFormat::ForegroundBrush)
                                 ? own.foreground().color()
                                 : palette().color(QPalette::Text));
  return result;
}

void ArticleEditor::focusInEvent(QFocusEvent* event) {
  if (selection_hidden_) {
    selection_hidden_ = false;
    setTextCursor(hidden_selection_);
  }
  QTextEdit::focusInEvent(event);
}

void ArticleEditor::focusOutEvent(QFocusEvent* event) {
  QTextEdit::focusOutEvent(event);
  // A context menu works on the selection, so it stays for that.
  if (event->reason() == Qt::PopupFocusReason || selection_hidden_) return;
  const QTextCursor selection = textCursor();
  if (!selection.hasSelection()) return;
  hidden_selection_ = selection;
  selection_hidden_ = true;
  ShowCursor(selection);
}

void ArticleEditor::ShowCursor(const QTextCursor& cursor) {
  QTextCursor caret = cursor;
  caret.clearSelection();
  setTextCursor(caret);
}

}  // namespace checker_ui
