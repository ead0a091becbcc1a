// Finding, selecting and formatting in the editor, counted in the check
// run's characters.
#include "checker_ui/article_editor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>
#include <QTextCursor>

#include "checker_ui/char_format_qt.h"
#include "checker_ui/checker_window.h"
#include "checker_ui/controls_view.h"
#include "window_testing.h"

namespace checker_ui {
namespace {

using testing::Ansi;

bool SameFormat(const check::CharFormat& a, const check::CharFormat& b) {
  return a.face == b.face && a.size == b.size && a.offset == b.offset &&
         (a.effects & 31) == (b.effects & 31) && a.colour == b.colour;
}

class ArticleEditorTest : public ::testing::Test {
 protected:
  ArticleEditorTest() : view_(window_), editor_(*window_.editor()) {}

  void Show(const char* utf8) { editor_.ReplaceText(QString::fromUtf8(utf8)); }

  // Which characters of the editor are not in the default format.
  QString Marked() {
    QString marks;
    for (int i = 0; i < editor_.document()->characterCount() - 1; ++i) {
      marks += SameFormat(editor_.FormatAt(i), check::kEditorDefaultFormat)
                   ? '.'
                   : '#';
    }
    return marks;
  }

  CheckerWindow window_;
  ControlsView view_;
  ArticleEditor& editor_;
};

TEST_F(ArticleEditorTest, FindCountsCharactersAndLineBreaks) {
  struct Case {
    const char* editor;
    const char* sought;
    int position;
  } cases[] = {
      {"xab AB", "AB", 4},
      {"xab AB", "ab", 1},
      {"文字abc", "abc", 2},
      {"a\nbc", "bc", 2},
      {"第一行\n第二行", "二", 5},
      {"a\nbc", "a\r\nb", 0},
      {"a\n\nb", "\r\n\r\nb", 1},
      {"abcabc", "ca", 2},
      {"xab", "AB", -1},
      {"xab", "", -1},
      {"", "a", -1},
      {"abc", "abcd", -1},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(::testing::Message() << test.editor << " / " << test.sought);
    Show(test.editor);
    EXPECT_EQ(view_.FindInEditor(Ansi(test.sought)), test.position);
  }
}

TEST_F(ArticleEditorTest, FormatLandsOnExactlyTheSelectedCharacters) {
  Show("零一二三四五六七八九十");
  view_.SelectInEditor(3, 6);
  view_.FormatSelection(check::kHighlightFormat);
  EXPECT_EQ(Marked(), "...######..");
  EXPECT_TRUE(SameFormat(editor_.FormatAt(3), check::kHighlightFormat));
  EXPECT_TRUE(SameFormat(editor_.FormatAt(8), check::kHighlightFormat));
  EXPECT_TRUE(SameFormat(editor_.FormatAt(2), check::kEditorDefaultFormat));
  EXPECT_TRUE(SameFormat(editor_.FormatAt(9), check::kEditorDefaultFormat));
}

TEST_F(ArticleEditorTest, FoundTextIsMarkedAcrossLines) {
  // What the run does with a fragment: find it, select as many characters
  // as it has (CR LF counting one), format.
  Show("甲乙\n丙丁\n戊己");
  const int position = view_.FindInEditor(testing::Ansi("丁\r\n戊"));
  ASSERT_EQ(position, 4);
  view_.SelectInEditor(position, 3);
  view_.FormatSelection(check::kHighlightFormat);
  EXPECT_EQ(Marked(), "....###.");
}

TEST_F(ArticleEditorTest, SelectionEdgesAreClamped) {
  struct Case {
    int start;
    int length;
    int from;
    int to;
  } cases[] = {
      {2, 3, 2, 5},   {-4, 3, 0, 3},   {1, -1, 0, 10}, {-1, -1, 0, 10},
      {8, 50, 8, 10}, {20, 2, 10, 10}, {4, 0, 4, 4},   {3, 2147483647, 3, 10},
  };
  Show("0123456789");
  for (const Case& test : cases) {
    SCOPED_TRACE(::testing::Message() << test.start << "+" << test.length);
    view_.SelectInEditor(test.start, test.length);
    const QTextCursor selection = editor_.Selection();
    EXPECT_EQ(selection.selectionStart(), test.from);
    EXPECT_EQ(selection.selectionEnd(), test.to);
  }
}

TEST_F(ArticleEditorTest, EveryAttributeOfTheFormatIsApplied) {
  const check::CharFormat formats[] = {
      {Ansi("黑体"), 20, 3, check::kBold | check::kItalic, 0x00FF00},
      {"Courier", 7, -2,
       check::kUnderline | check::kStrikeOut | check::kProtected, 0x123456},
      {check::kSongTypeface, 12, 0, 0, check::kRed},
  };
  for (const check::CharFormat& format : formats) {
    Show("abcdef");
    view_.SelectInEditor(1, 2);
    view_.FormatSelection(format);
    EXPECT_TRUE(SameFormat(editor_.FormatAt(1), format));
    EXPECT_TRUE(SameFormat(editor_.FormatAt(2), format));
    EXPECT_EQ(Marked(), ".##...");
  }
  // Bits beyond the five effects change nothing.
  Show("abc");
  view_.SelectInEditor(0, 1);
  view_.FormatSelection({check::kSongTypeface, 9, 0, 0xFFE0, check::kWhite});
  EXPECT_EQ(Marked(), "...");
}

TEST_F(ArticleEditorTest, AutomaticColourIsTheWindowTextColour) {
  Show("abc");
  view_.SelectInEditor(0, 1);
  view_.FormatSelection(
      {check::kSongTypeface, 9, 0, 0, check::kAutomaticColour});
  const QColor window_text =
      QApplication::palette().color(QPalette::WindowText);
  EXPECT_EQ(editor_.FormatAt(0).colour, FromQColor(window_text));
  EXPECT_EQ(editor_.FormatAt(1).colour, check::kWhite);
}

TEST_F(ArticleEditorTest, OutOfRangeSizesAreBroughtToTheirBound) {
  Show("abc");
  view_.SelectInEditor(0, 1);
  view_.FormatSelection({check::kSongTypeface, -5, 0, 0, check::kRed});
  EXPECT_EQ(editor_.FormatAt(0).size, 1);
  view_.SelectInEditor(1, 1);
  view_.FormatSelection({check::kSongTypeface, 1 << 30, 0, 0, check::kRed});
  EXPECT_EQ(editor_.FormatAt(1).size, 1638);
}

TEST_F(ArticleEditorTest, MarksSurviveResettingTheDefault) {
  Show("abcdefgh");
  view_.SelectInEditor(2, 3);
  view_.FormatSelection(check::kHighlightFormat);
  editor_.SetDefaultFormat({check::kSongTypeface, 14, 0, 0, check::kBlue});
  view_.ResetEditorFormat();
  EXPECT_EQ(Marked(), "..###...");
  EXPECT_TRUE(SameFormat(editor_.FormatAt(3), check::kHighlightFormat));
  EXPECT_TRUE(SameFormat(editor_.FormatAt(0), check::kEditorDefaultFormat));
}

TEST_F(ArticleEditorTest, NewContentDropsOldMarks) {
  Show("abcdef");
  view_.SelectInEditor(0, 6);
  view_.FormatSelection(check::kHighlightFormat);
  // The cursor stands in the red text when the content is replaced.
  Show("uvwxyz");
  EXPECT_EQ(Marked(), "......");
}

TEST_F(ArticleEditorTest, SelectionIsHiddenWithoutFocus) {
  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  Show("abcdef");
  editor_.clearFocus();
  view_.SelectInEditor(1, 3);
  EXPECT_FALSE(editor_.textCursor().hasSelection());
  EXPECT_EQ(editor_.Selection().selectedText(), "bcd");
  window_.activateWindow();
  editor_.setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(testing::SpinUntil([&] { return editor_.hasFocus(); }));
  EXPECT_EQ(editor_.textCursor().selectedText(), "bcd");
  editor_.clearFocus();
  ASSERT_TRUE(testing::SpinUntil([&] { return !editor_.hasFocus(); }));
  EXPECT_FALSE(editor_.textCursor().hasSelection());
  view_.FormatSelection(check::kHighlightFormat);
  EXPECT_EQ(Marked(), ".###..");
}

TEST_F(ArticleEditorTest, PastedRichTextKeepsOnlyItsText) {
  Show("");
  auto* rich = new QMimeData;
  rich->setHtml("<b style='color:#00ff00'>bold</b> <i>text</i>");
  rich->setText("bold text");
  QGuiApplication::clipboard()->setMimeData(rich);
  editor_.paste();
  EXPECT_EQ(editor_.Text(), "bold text");
  EXPECT_EQ(Marked(), ".........");
}

}  // namespace
}  // namespace checker_ui
