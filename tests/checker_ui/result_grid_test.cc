// The result grid's operations, their edges and the double-click.
#include "checker_ui/result_grid.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QScrollBar>
#include <QTest>
#include <string>
#include <vector>

#include "checker_ui/checker_window.h"
#include "checker_ui/controls_view.h"
#include "window_testing.h"

namespace checker_ui {
namespace {

using testing::Ansi;
using testing::Find;

class ResultGridTest : public ::testing::Test {
 protected:
  ResultGridTest()
      : window_(CheckerWindow::Services{{},
                                        [this](const std::string& address) {
                                          opened_.push_back(address);
                                        }}),
        view_(window_),
        grid_(*window_.grid()) {}

  void SetUp() override {
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  }

  // Three rows as the check run writes them.
  void FillRows(int rows) {
    for (int row = 1; row <= rows; ++row) {
      const std::string number = std::to_string(row);
      view_.AppendResultRow(number);
      view_.SetCellText(row, 1, ("segment " + number).c_str());
      view_.SetCellText(row, 3, ("https://host/?word=" + number).c_str());
    }
  }

  // Double-clicks where a cell of the grid is drawn, with the press and
  // release a real double-click brings.
  void DoubleClickCell(int row, int column) {
    QWidget* target =
        column == 0 ? grid_.verticalHeader()->viewport() : grid_.viewport();
    const QPoint point =
        column == 0
            ? QPoint(
                  grid_.verticalHeader()->width() / 2,
                  grid_.verticalHeader()->sectionViewportPosition(row - 1) + 5)
            : grid_.visualRect(grid_.model()->index(row - 1, column - 1))
                  .center();
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseDClick(target, Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, point);
  }

  std::vector<std::string> opened_;
  CheckerWindow window_;
  ControlsView view_;
  ResultGrid& grid_;
};

TEST_F(ResultGridTest, StartsWithTheHeaderRowAlone) {
  EXPECT_EQ(grid_.RowCount(), 1);
  const char* headers[] = {"编号", "段落", "飘红数", "网址"};
  const int widths[] = {30, 450, 45, 450};
  for (int column = 0; column < 4; ++column) {
    EXPECT_EQ(grid_.CellText(0, column), QString::fromUtf8(headers[column]));
    EXPECT_EQ(grid_.ColumnWidth(column), widths[column]);
  }
  EXPECT_EQ(grid_.verticalHeader()->defaultSectionSize(), 24);
  EXPECT_EQ(grid_.horizontalHeader()->height(), 24);
  EXPECT_EQ(grid_.frameShadow(), QFrame::Sunken);
}

TEST_F(ResultGridTest, AppendedRowsCountFromOneAgainAfterReset) {
  FillRows(10);
  ASSERT_EQ(grid_.RowCount(), 11);
  EXPECT_EQ(grid_.CellText(10, 0), "10");
  EXPECT_EQ(grid_.rowHeight(9), 24);
  grid_.SetCellTextColour(0, 2, Qt::red);
  view_.ResetResultGrid();
  EXPECT_EQ(grid_.RowCount(), 1);
  EXPECT_EQ(grid_.CellText(0, 2), QString::fromUtf8("飘红数"));
  EXPECT_FALSE(grid_.CellTextColour(0, 2).isValid());
  view_.AppendResultRow("1");
  EXPECT_EQ(grid_.RowCount(), 2);
  EXPECT_EQ(grid_.CellText(1, 0), "1");
  EXPECT_EQ(grid_.CellText(1, 1), "");
}

TEST_F(ResultGridTest, TextAndColourLandOnTheirCellOnly) {
  FillRows(3);
  view_.SetCellText(2, 2, "7");
  view_.SetCellTextColour(2, 2, check::kRed);
  view_.SetCellTextColour(2, 3, check::kBlue);
  view_.SetCellTextColour(3, 0, check::kGrey);
  EXPECT_EQ(grid_.CellText(2, 2), "7");
  EXPECT_EQ(grid_.CellTextColour(2, 2), QColor(255, 0, 0));
  EXPECT_EQ(grid_.CellTextColour(2, 3), QColor(0, 0, 255));
  EXPECT_EQ(grid_.CellTextColour(3, 0), QColor(0x80, 0x80, 0x80));
  EXPECT_FALSE(grid_.CellTextColour(1, 2).isValid());
  EXPECT_FALSE(grid_.CellTextColour(2, 1).isValid());
  view_.SetCellTextColour(2, 2, check::kAutomaticColour);
  EXPECT_FALSE(grid_.CellTextColour(2, 2).isValid());
  // Chinese text arrives through code page 936 intact.
  view_.SetCellText(1, 1, Ansi("失败"));
  EXPECT_EQ(grid_.CellText(1, 1), QString::fromUtf8("失败"));
}

TEST_F(ResultGridTest, CellsOutsideTheGridAreIgnored) {
  FillRows(3);
  const std::pair<int, int> outside[] = {{5, 1}, {4, 0},  {-1, 1},
                                         {1, 4}, {1, -1}, {0, 9}};
  for (const auto& [row, column] : outside) {
    SCOPED_TRACE(::testing::Message() << row << "," << column);
    view_.SetCellText(row, column, "x");
    view_.SetCellTextColour(row, column, check::kRed);
    EXPECT_EQ(grid_.RowCount(), 4);
    EXPECT_EQ(grid_.rowCount(), 3);
    EXPECT_EQ(grid_.columnCount(), 3);
  }
  EXPECT_EQ(grid_.CellText(1, 1), "segment 1");
  EXPECT_EQ(grid_.CellText(0, 3), QString::fromUtf8("网址"));
}

TEST_F(ResultGridTest, HeadersStayWhenTheGridScrollsSideways) {
  FillRows(20);
  QScrollBar* sideways = grid_.horizontalScrollBar();
  ASSERT_GT(sideways->maximum(), 0) << "the columns are wider than the grid";
  const QPoint row_numbers =
      grid_.verticalHeader()->mapTo(&grid_, QPoint(0, 0));
  sideways->setValue(sideways->maximum());
  grid_.verticalScrollBar()->setValue(grid_.verticalScrollBar()->maximum());
  EXPECT_EQ(grid_.verticalHeader()->mapTo(&grid_, QPoint(0, 0)), row_numbers);
  EXPECT_TRUE(grid_.verticalHeader()->isVisible());
  EXPECT_TRUE(grid_.horizontalHeader()->isVisible());
}

TEST_F(ResultGridTest, DoubleClickOpensTheAddressOfItsRow) {
  FillRows(3);
  DoubleClickCell(2, 1);
  EXPECT_EQ(grid_.TopSelectedRow(), 2);
  DoubleClickCell(3, 0);
  EXPECT_EQ(opened_, (std::vector<std::string>{"https://host/?word=2",
                                               "https://host/?word=3"}));
}

TEST_F(ResultGridTest, TopmostSelectedRowIsOpened) {
  FillRows(3);
  grid_.setRangeSelected(QTableWidgetSelectionRange(2, 0, 2, 2), true);
  grid_.setRangeSelected(QTableWidgetSelectionRange(1, 1, 1, 1), true);
  window_.OpenSelectedRow();
  EXPECT_EQ(opened_, std::vector<std::string>{"https://host/?word=2"});
}

TEST_F(ResultGridTest, NothingSelectedOpensNothing) {
  window_.OpenSelectedRow();
  FillRows(2);
  grid_.clearSelection();
  window_.OpenSelectedRow();
  EXPECT_TRUE(opened_.empty());
}

}  // namespace
}  // namespace checker_ui
