#include "checker_ui/result_grid.h"

#include <QAbstractButton>
#include <QBrush>
#include <QEvent>
#include <QHeaderView>
#include <QModelIndexList>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionHeader>
#include <algorithm>
#include <array>

namespace checker_ui {
namespace {

const std::array<QString, ResultGrid::kColumns> kHeaders = {
    QStringLiteral(u"编号"), QStringLiteral(u"段落"), QStringLiteral(u"飘红数"),
    QStringLiteral(u"网址")};
constexpr std::array<int, ResultGrid::kColumns> kWidths = {30, 450, 45, 450};

}  // namespace

ResultGrid::ResultGrid(QWidget* parent) : QTableWidget(parent) {
  setColumnCount(kColumns - 1);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(2);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Tab moves on to the next control rather than through the cells.
  setTabKeyNavigation(false);
  setWordWrap(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

  QHeaderView* rows = verticalHeader();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setMinimumSectionSize(0);
  rows->setDefaultSectionSize(kRowHeight);
  QHeaderView* columns = horizontalHeader();
  columns->setMinimumSectionSize(0);
  columns->setStretchLastSection(false);
  columns->setFixedHeight(kRowHeight);

  corner_ = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
  if (corner_ != nullptr) corner_->installEventFilter(this);

  connect(this, &QTableWidget::cellDoubleClicked, this,
          [this] { emit RowActivated(); });
  connect(rows, &QHeaderView::sectionDoubleClicked, this,
          [this] { emit RowActivated(); });
  Reset();
}

void ResultGrid::Reset() {
  setRowCount(0);
  for (int column = 1; column < kColumns; ++column) {
    setHorizontalHeaderItem(column - 1, new QTableWidgetItem(kHeaders[column]));
    horizontalHeader()->resizeSection(column - 1, kWidths[column]);
  }
  verticalHeader()->setFixedWidth(kWidths[0]);
  corner_text_ = kHeaders[0];
  corner_colour_ = QColor();
  if (corner_ != nullptr) {
    corner_->setAccessibleName(corner_text_);
    corner_->update();
  }
}

int ResultGrid::AppendRow(const QString& heading) {
  const int index = RowCount();
  insertRow(rowCount());
  setVerticalHeaderItem(index - 1, new QTableWidgetItem(heading));
  return index;
}

int ResultGrid::RowCount() const { return rowCount() + 1; }

bool ResultGrid::Contains(int row, int column) const {
  return row >= 0 && row < RowCount() && column >= 0 && column < kColumns;
}

QTableWidgetItem* ResultGrid::Item(int row, int column, bool create) {
  if (!Contains(row, column) || (row == 0 && column == 0)) return nullptr;
  if (row == 0) {
    QTableWidgetItem* item = horizontalHeaderItem(column - 1);
    if (item == nullptr && create) {
      item = new QTableWidgetItem;
      setHorizontalHeaderItem(column - 1, item);
    }
    return item;
  }
  if (column == 0) {
    QTableWidgetItem* item = verticalHeaderItem(row - 1);
    if (item == nullptr && create) {
      item = new QTableWidgetItem;
      setVerticalHeaderItem(row - 1, item);
    }
    return item;
  }
  QTableWidgetItem* cell = item(row - 1, column - 1);
  if (cell == nullptr && create) {
    cell = new QTableWidgetItem;
    setItem(row - 1, column - 1, cell);
  }
  return cell;
}

const QTableWidgetItem* ResultGrid::Item(int row, int column) const {
  return const_cast<ResultGrid*>(this)->Item(row, column, false);
}

void ResultGrid::SetCellText(int row, int column, const QString& text) {
  if (!Contains(row, column)) return;
  if (row == 0 && column == 0) {
    corner_text_ = text;
    if (corner_ != nullptr) {
      corner_->setAccessibleName(text);
      corner_->update();
    }
    return;
  }
  Item(row, column, true)->setText(text);
}

void ResultGrid::SetCellTextColour(int row, int column, const QColor& colour) {
  if (!Contains(row, column)) return;
  if (row == 0 && column == 0) {
    corner_colour_ = colour;
    if (corner_ != nullptr) corner_->update();
    return;
  }
  Item(row, column, true)->setForeground(QBrush(colour));
}

QString ResultGrid::CellText(int row, int column) const {
  if (row == 0 && column == 0) return corner_text_;
  const QTableWidgetItem* item = Item(row, column);
  return item != nullptr ? item->text() : QString();
}

QColor ResultGrid::CellTextColour(int row, int column) const {
  if (row == 0 && column == 0) return corner_colour_;
  const QTableWidgetItem* item = Item(row, column);
  if (item == nullptr) return QColor();
  const QVariant brush = item->data(Qt::ForegroundRole);
  return brush.canConvert<QBrush>() ? brush.value<QBrush>().color() : QColor();
}

int ResultGrid::ColumnWidth(int column) const {
  if (column == 0) return verticalHeader()->width();
  if (column < 0 || column >= kColumns) return 0;
  return columnWidth(column - 1);
}

int ResultGrid::TopSelectedRow() const {
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return -1;
  const auto top =
      std::min_element(selected.begin(), selected.end(),
                       [](const QModelIndex& a, const QModelIndex& b) {
                         return a.row() < b.row();
                       });
  return top->row() + 1;
}

bool ResultGrid::eventFilter(QObject* watched, QEvent* event) {
  if (watched != corner_ || event->type() != QEvent::Paint) {
    return QTableWidget::eventFilter(watched, event);
  }
  QStyleOptionHeader option;
  option.initFrom(corner_);
  option.rect = corner_->rect();
  option.text = corner_text_;
  option.textAlignment = Qt::AlignCenter;
  option.position = QStyleOptionHeader::OnlyOneSection;
  option.state |= QStyle::State_Raised | QStyle::State_Horizontal;
  if (corner_colour_.isValid()) {
    option.palette.setColor(QPalette::ButtonText, corner_colour_);
  }
  QPainter painter(corner_);
  corner_->style()->drawControl(QStyle::CE_Header, &option, &painter, corner_);
  return true;
}

}  // namespace checker_ui
