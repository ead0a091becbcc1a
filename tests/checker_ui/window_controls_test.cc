// The window as it opens: its frame, its controls and what they start with.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

#include "checker_ui/article_editor.h"
#include "checker_ui/checker_window.h"
#include "checker_ui/result_grid.h"
#include "core/text/characters.h"
#include "core/text/text_ops.h"
#include "window_testing.h"

namespace checker_ui {
namespace {

using testing::Find;

struct Placement {
  const char* name;
  QRect geometry;  // in the parent's client area
  const char* caption;
};

class WindowControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  }

  CheckerWindow window_;
};

TEST_F(WindowControlsTest, FixedFrameWithCaptionAndIcon) {
  EXPECT_EQ(window_.size(), QSize(864, 640));
  EXPECT_EQ(window_.minimumSize(), window_.maximumSize());
  const Qt::WindowFlags flags = window_.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(window_.windowTitle(),
            QString::fromUtf8("Kelvor-文章原创度检测软件 1.0【紧急! BUG反馈QQ:"
                              "00000000,一起做到最好！】"));
  EXPECT_FALSE(window_.windowIcon().pixmap(16, 16).isNull());
  // Centred up to the frame's own width, which the platform decides.
  const QPoint screen = window_.screen()->geometry().center();
  const QPoint frame = window_.frameGeometry().center();
  EXPECT_LE(std::abs(frame.x() - screen.x()), 4);
  EXPECT_LE(std::abs(frame.y() - screen.y()), 4);
}

TEST_F(WindowControlsTest, ControlsSitWhereTheLayoutPutsThem) {
  const Placement placements[] = {
      {"分组框1", {8, 8, 848, 272}, "请将文章粘贴到这里，标题可以放到第一行"},
      {"txtDataZ", {8, 16, 832, 248}, nullptr},
      {"按钮1", {8, 288, 80, 32}, "复制进来"},
      {"按钮2", {96, 288, 80, 32}, "清空文本"},
      {"按钮3", {184, 288, 80, 32}, "开始检测"},
      {"按钮4", {272, 288, 80, 32}, "拷贝出去"},
      {"标签2", {360, 296, 56, 16}, "文章字数:"},
      {"编辑框1", {419, 292, 56, 24}, ""},
      {"标签3", {480, 296, 72, 16}, "百度原创度:"},
      {"编辑框2", {551, 292, 81, 24}, ""},
      {"选择框1", {8, 333, 64, 16}, "查百度"},
      {"选择框2", {88, 333, 64, 16}, "查谷歌"},
      {"选择框3", {173, 333, 64, 16}, "查360"},
      {"选择框4", {256, 333, 64, 16}, "查搜狗"},
      {"选择夹1", {8, 368, 848, 264}, nullptr},
  };
  for (const Placement& placement : placements) {
    SCOPED_TRACE(placement.name);
    const QWidget* control = Find<QWidget>(window_, placement.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->geometry(), placement.geometry);
    if (placement.caption == nullptr) continue;
    const QString caption = QString::fromUtf8(placement.caption);
    if (auto* button = qobject_cast<const QAbstractButton*>(control)) {
      EXPECT_EQ(button->text(), caption);
    } else if (auto* label = qobject_cast<const QLabel*>(control)) {
      EXPECT_EQ(label->text(), caption);
    } else if (auto* box = qobject_cast<const QLineEdit*>(control)) {
      EXPECT_EQ(box->text(), caption);
    } else if (auto* group = qobject_cast<const QGroupBox*>(control)) {
      EXPECT_EQ(group->title(), caption);
    }
  }
  EXPECT_EQ(Find<QWidget>(window_, "txtDataZ")->parentWidget(),
            Find<QWidget>(window_, "分组框1"));

  const auto* tabs = Find<QTabWidget>(window_, "选择夹1");
  const auto* grid = Find<ResultGrid>(window_, "高级表格1");
  ASSERT_NE(grid, nullptr);
  ASSERT_EQ(tabs->count(), 4);
  const char* pages[] = {"百度", "谷歌", "360", "搜狗"};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(tabs->tabText(i), QString::fromUtf8(pages[i]));
  EXPECT_EQ(grid->parentWidget(), tabs->widget(0));
  EXPECT_EQ(QRect(grid->mapTo(tabs, QPoint(0, 0)), grid->size()),
            QRect(8, 32, 832, 224));
  // Nothing drawn outside the client area.
  for (const QWidget* child :
       window_.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    EXPECT_TRUE(window_.rect().contains(child->geometry()))
        << child->objectName().toStdString();
  }
}

TEST_F(WindowControlsTest, InitialStatesAndFonts) {
  for (const char* name : {"按钮1", "按钮2", "按钮3", "按钮4", "选择框1"}) {
    EXPECT_TRUE(Find<QWidget>(window_, name)->isEnabled()) << name;
  }
  EXPECT_TRUE(Find<QCheckBox>(window_, "选择框1")->isChecked());
  for (const char* name : {"选择框2", "选择框3", "选择框4"}) {
    auto* box = Find<QCheckBox>(window_, name);
    EXPECT_FALSE(box->isEnabled()) << name;
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_FALSE(box->isChecked()) << name;
  }
  const std::pair<const char*, int> boxes[] = {{"编辑框1", 16},
                                               {"编辑框2", 19}};
  for (const auto& [name, pixels] : boxes) {
    auto* box = Find<QLineEdit>(window_, name);
    EXPECT_FALSE(box->isEnabled()) << name;
    EXPECT_TRUE(box->text().isEmpty()) << name;
    EXPECT_EQ(box->font().pixelSize(), pixels) << name;
    EXPECT_EQ(box->font().weight(), QFont::Bold) << name;
  }

  auto* editor = Find<ArticleEditor>(window_, "txtDataZ");
  EXPECT_FALSE(editor->acceptRichText());
  EXPECT_FALSE(editor->isReadOnly());
  EXPECT_EQ(editor->lineWrapMode(), QTextEdit::WidgetWidth);
  EXPECT_EQ(editor->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_NE(editor->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(editor->palette().color(QPalette::Base), QColor(Qt::black));
  // The default format, and a face that really has the glyphs.
  const check::CharFormat format = editor->FormatAt(0);
  EXPECT_EQ(format.face, core::AnsiText(check::kSongTypeface));
  EXPECT_EQ(format.size, 9);
  EXPECT_EQ(format.colour, check::kWhite);
  EXPECT_TRUE(
      QFontInfo(editor->document()->defaultFont()).family().contains("UMing"));
}

TEST_F(WindowControlsTest, SampleArticleHasItsShape) {
  const auto* editor = Find<ArticleEditor>(window_, "txtDataZ");
  const QString text = editor->Text();
  const core::AnsiText bytes = ToAnsi(QString(text).replace('\n', "\r\n"));
  EXPECT_EQ(bytes.size(), 1577);
  EXPECT_EQ(ToQString(bytes), QString(text).replace('\n', "\r\n"))
      << "every character survives code page 936";
  const QStringList lines = text.split('\n');
  ASSERT_EQ(lines.size(), 33);
  for (int i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(i);
    if (i % 2 == 1) {
      EXPECT_EQ(lines[i], " ");
    } else {
      EXPECT_EQ(lines[i].startsWith(QString::fromUtf8("　　")), i > 0);
      EXPECT_GT(lines[i].size(), 2);
    }
  }
}

TEST_F(WindowControlsTest, TabVisitsOnlyTheActiveControls) {
  QStringList visited;
  QWidget* widget = Find<QWidget>(window_, "txtDataZ");
  for (int step = 0; step < 60; ++step) {
    if ((widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() &&
        widget->isVisibleTo(&window_) && widget->window() == &window_) {
      if (!visited.isEmpty() && widget->objectName() == visited.first()) break;
      visited << widget->objectName();
    }
    widget = widget->nextInFocusChain();
  }
  EXPECT_EQ(
      visited.join(','),
      QString::fromUtf8("txtDataZ,按钮1,按钮2,按钮3,按钮4,选择框1,高级表格1"));
}

TEST_F(WindowControlsTest, EscapeClosesTheWindow) {
  QTest::keyClick(Find<QWidget>(window_, "按钮1"), Qt::Key_Escape);
  EXPECT_FALSE(window_.isVisible());
}

TEST_F(WindowControlsTest, TabPagesSwitchAndTheGridStays) {
  auto* tabs = Find<QTabWidget>(window_, "选择夹1");
  auto* grid = Find<ResultGrid>(window_, "高级表格1");
  grid->AppendRow("1");
  grid->SetCellText(1, 1, "x");
  for (int page : {1, 2, 3}) {
    tabs->setCurrentIndex(page);
    EXPECT_FALSE(grid->isVisible());
    EXPECT_TRUE(tabs->widget(page)->children().isEmpty());
  }
  tabs->setCurrentIndex(0);
  EXPECT_TRUE(grid->isVisible());
  EXPECT_EQ(grid->RowCount(), 2);
  EXPECT_EQ(grid->CellText(1, 1), "x");
}

TEST_F(WindowControlsTest, ScreenReadersFindNamesAndCells) {
  const std::pair<const char*, const char*> names[] = {
      {"按钮3", "开始检测"},
      {"编辑框1", "文章字数:"},
      {"编辑框2", "百度原创度:"},
      {"选择框1", "查百度"},
      {"txtDataZ", "请将文章粘贴到这里，标题可以放到第一行"}};
  for (const auto& [object, name] : names) {
    QAccessibleInterface* control =
        QAccessible::queryAccessibleInterface(Find<QWidget>(window_, object));
    ASSERT_NE(control, nullptr) << object;
    EXPECT_EQ(control->text(QAccessible::Name), QString::fromUtf8(name))
        << object;
  }
  auto* grid = Find<ResultGrid>(window_, "高级表格1");
  grid->AppendRow("1");
  grid->SetCellText(1, 1, "segment");
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
  ASSERT_NE(table, nullptr);
  QAccessibleTableInterface* cells = table->tableInterface();
  ASSERT_NE(cells, nullptr);
  QAccessibleInterface* cell = cells->cellAt(0, 0);
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->text(QAccessible::Name), "segment");
  QStringList headers;
  QAccessibleTableCellInterface* place = cell->tableCellInterface();
  ASSERT_NE(place, nullptr);
  for (QAccessibleInterface* header : place->columnHeaderCells()) {
    headers << header->text(QAccessible::Name);
    // Qt hands header cells out unregistered, so they are ours to delete.
    QAccessible::deleteAccessibleInterface(
        QAccessible::registerAccessibleInterface(header));
  }
  EXPECT_EQ(headers, QStringList{QString::fromUtf8("段落")});
}

}  // namespace
}  // namespace checker_ui
