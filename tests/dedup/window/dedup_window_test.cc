#include "dedup/window/dedup_window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "dedup/window/line_list_model.h"
#include "tests/dedup/window/window_test_support.h"

namespace dedup {
namespace {

TEST(DedupWindowTest, WindowIsFixedCentredAndDressed) {
  DedupWindow window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Mirvo去重复文本工具1.0"));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  // The layout reaches x 312 and y 234 and keeps its 8-pixel margin.
  EXPECT_EQ(window.size(), QSize(320, 242));
  EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(window.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(window.windowIcon().availableSizes().contains(QSize(48, 48)));
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(window.pos(),
            QPoint((screen.width() - 320) / 2, (screen.height() - 242) / 2));
  EXPECT_EQ(window.palette().color(window.backgroundRole()),
            QApplication::palette().color(QPalette::Button));
}

TEST(DedupWindowTest, BackgroundFollowsTheSkinsPalette) {
  // A skin recolours the application after the window exists; a background
  // fixed at creation would leave the skin's light label text on a light
  // face.
  DedupWindow window;
  const QPalette before = QApplication::palette();
  QPalette skinned = before;
  skinned.setColor(QPalette::Button, QColor(0x2E, 0x7D, 0x8F));
  QApplication::setPalette(skinned);
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(window.palette().color(window.backgroundRole()),
            QColor(0x2E, 0x7D, 0x8F));
  QApplication::setPalette(before);
}

TEST(DedupWindowTest, ControlsStandWhereTheDesignPutsThem) {
  DedupWindow window;
  struct Button {
    const char* name;
    QRect geometry;
    const char* caption;
  };
  const Button buttons[] = {
      {"按钮4", {223, 8, 74, 32}, "导入数据"},
      {"按钮7", {223, 49, 74, 32}, "清空数据"},
      {"按钮1", {223, 91, 74, 32}, "去除重复"},
      {"按钮5", {223, 132, 74, 32}, "导出数据"},
      {"按钮6", {223, 174, 74, 32}, "官方网站"},
      {"按钮2", {616, 40, 152, 32}, "Tavrin 去除重复(新思路1)"},
      {"按钮3", {616, 80, 152, 32}, "Tavrin 去除重复(新思路2)"},
  };
  for (const Button& b : buttons) {
    auto* button = Control<QPushButton>(window, b.name);
    ASSERT_NE(button, nullptr) << b.name;
    EXPECT_EQ(button->geometry(), b.geometry) << b.name;
    EXPECT_EQ(button->text(), QString::fromUtf8(b.caption)) << b.name;
    EXPECT_TRUE(button->isEnabled() && button->isVisibleTo(&window)) << b.name;
    EXPECT_NE(button->focusPolicy(), Qt::NoFocus) << b.name;
  }
  EXPECT_GE(Control<QPushButton>(window, "按钮2")->x(), window.width());
  EXPECT_GE(Control<QPushButton>(window, "按钮3")->x(), window.width());

  auto* list = Control<QListView>(window, "列表框1");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->geometry(), QRect(8, 8, 201, 202));
  EXPECT_EQ(list->model()->rowCount(), 0);
  EXPECT_TRUE(list->uniformItemSizes());
  EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_FALSE(list->selectionModel()->hasSelection());
  EXPECT_NE(list->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_NE(list->focusPolicy(), Qt::NoFocus);

  auto* bar = Control<QProgressBar>(window, "进度条1");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->geometry(), QRect(8, 216, 202, 16));
  EXPECT_EQ(bar->minimum(), 0);
  EXPECT_EQ(bar->maximum(), 100);
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(bar->focusPolicy(), Qt::NoFocus);

  auto* title = Control<QLabel>(window, "标签1");
  auto* count = Control<QLabel>(window, "标签2");
  ASSERT_NE(title, nullptr);
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(title->geometry(), QRect(223, 215, 31, 18));
  EXPECT_EQ(title->text(), QStringLiteral("数量："));
  EXPECT_EQ(count->geometry(), QRect(257, 215, 55, 16));
  EXPECT_TRUE(count->text().isEmpty());
  EXPECT_EQ(count->focusPolicy(), Qt::NoFocus);
}

TEST(DedupWindowTest, AlternativeMethodButtonsChangeNothing) {
  DedupWindow window;
  window.view()->AppendItems(LineList::FromLineFile("a\r\na\r\n"));
  Control<QPushButton>(window, "按钮2")->click();
  Control<QPushButton>(window, "按钮3")->click();
  QTest::qWait(20);
  EXPECT_EQ(window.view()->ItemCount(), 2);
  EXPECT_TRUE(Control<QLabel>(window, "标签2")->text().isEmpty());
  EXPECT_TRUE(Control<QPushButton>(window, "按钮1")->isEnabled());
  EXPECT_EQ(VisibleTopLevel<QMessageBox>(), nullptr);
}

TEST(DedupWindowTest, EscapeClosesAndEnterKeepsTheFocus) {
  DedupWindow window;
  bool closed = false;
  window.SetCloseHandler([&closed] { closed = true; });
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  auto* list = Control<QListView>(window, "列表框1");
  auto* import = Control<QPushButton>(window, "按钮4");
  import->setFocus();
  QTest::keyClick(import, Qt::Key_Return);
  QTest::keyClick(import, Qt::Key_Enter);
  EXPECT_TRUE(import->hasFocus());
  EXPECT_EQ(VisibleTopLevel<QFileDialog>(), nullptr);  // no click either
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_TRUE(list->hasFocus());
  QTest::keyClick(list, Qt::Key_F1);
  EXPECT_TRUE(window.isVisible());
  QTest::keyClick(list, Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(closed);
}

TEST(DedupWindowTest, ProgressBarHoldsValuesInItsRange) {
  DedupWindow window;
  auto* bar = Control<QProgressBar>(window, "进度条1");
  const std::shared_ptr<DedupView> view = window.view();
  view->SetProgressMaximum(40000);
  EXPECT_EQ(bar->maximum(), 32767);
  view->SetProgressPosition(50000);
  EXPECT_EQ(bar->value(), 32767);
  view->SetProgressPosition(-1);
  EXPECT_EQ(bar->value(), 0);
  view->SetProgressPosition(20);
  view->SetProgressMaximum(10);
  EXPECT_EQ(bar->value(), 10);
  // An empty range shows an empty bar, not Qt's busy animation.
  view->SetProgressMaximum(0);
  EXPECT_EQ(bar->value(), 0);
  EXPECT_GT(bar->maximum(), bar->minimum());
}

TEST(DedupWindowTest, ListShowsCodePageTextWithTabsExpanded) {
  DedupWindow window;
  window.view()->AppendItems(
      LineList::FromLineFile("\xCB\xCE\xCC\xE5\r\na\tb\r\n\xCB\xCE\tc\r\n"));
  auto* list = Control<QListView>(window, "列表框1");
  const QAbstractItemModel* model = list->model();
  ASSERT_EQ(model->rowCount(), 3);
  EXPECT_EQ(model->index(0, 0).data().toString(), QStringLiteral("宋体"));
  EXPECT_EQ(model->index(1, 0).data().toString(), QStringLiteral("a       b"));
  EXPECT_EQ(model->index(2, 0).data().toString(), QStringLiteral("宋      c"));
  // The stored bytes are untouched by the display.
  EXPECT_EQ(window.view()->ItemText(1).bytes(), "a\tb");
  EXPECT_EQ(window.view()->ItemText(3).bytes(), "");
  EXPECT_EQ(window.view()->ItemText(-1).bytes(), "");
  EXPECT_EQ(list->sizeHintForRow(0), list->fontMetrics().height() + 1);
  EXPECT_EQ(list->height(), 202);
}

}  // namespace
}  // namespace dedup
