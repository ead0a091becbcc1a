// The buttons that move text between the editor and the system clipboard.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include "checker_ui/article_editor.h"
#include "checker_ui/checker_window.h"
#include "checker_ui/controls_view.h"
#include "window_testing.h"

namespace checker_ui {
namespace {

using testing::Find;

class HandlersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  }

  void Click(const char* button) {
    QTest::mouseClick(Find<QPushButton>(window_, button), Qt::LeftButton);
  }

  QClipboard& clipboard() { return *QGuiApplication::clipboard(); }

  CheckerWindow window_;
  ArticleEditor& editor_ = *window_.editor();
};

TEST_F(HandlersTest, CopyOutThenCopyInKeepsTheText) {
  const QString sample = editor_.Text();
  ASSERT_FALSE(sample.isEmpty());
  Click("按钮4");
  // Line breaks leave as CR LF, the way the ANSI text format carries them.
  EXPECT_EQ(clipboard().text(), QString(sample).replace('\n', "\r\n"));
  Click("按钮2");
  EXPECT_EQ(editor_.Text(), "");
  Click("按钮1");
  EXPECT_EQ(editor_.Text(), sample);
}

TEST_F(HandlersTest, CopyInReplacesTheContentAndItsMarks) {
  ControlsView view(window_);
  view.SelectInEditor(0, 5);
  view.FormatSelection(check::kHighlightFormat);
  clipboard().setText(QString::fromUtf8("新的\r\n内容"));
  Click("按钮1");
  EXPECT_EQ(editor_.Text(), QString::fromUtf8("新的\n内容"));
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(editor_.FormatAt(i).colour, check::kWhite) << i;
  }
}

TEST_F(HandlersTest, CopyInTakesTheTextAsCodePage936HasIt) {
  clipboard().setText(QString::fromUtf8("中文 café ß ☃ 😀."));
  Click("按钮1");
  EXPECT_EQ(editor_.Text(), QString::fromUtf8("中文 café ? ? ??."));
  // A zero character would end the code page text; nothing after it is lost.
  clipboard().setText(QString::fromUtf16(u"ab\0cd", 5));
  Click("按钮1");
  EXPECT_EQ(editor_.Text(), "ab?cd");
  Click("按钮4");
  EXPECT_EQ(clipboard().text(), "ab?cd");
}

TEST_F(HandlersTest, CopyInWithoutTextEmptiesTheEditor) {
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(Qt::red);
  clipboard().setImage(image);
  Click("按钮1");
  EXPECT_EQ(editor_.Text(), "");
  editor_.ReplaceText("abc");
  clipboard().clear();
  Click("按钮1");
  EXPECT_EQ(editor_.Text(), "");
}

TEST_F(HandlersTest, CopyOutOfAnEmptyEditorLeavesAnEmptyText) {
  clipboard().setText("old");
  Click("按钮2");
  Click("按钮4");
  const QMimeData* data = clipboard().mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_TRUE(data->hasText());
  EXPECT_EQ(clipboard().text(), "");
}

}  // namespace
}  // namespace checker_ui
