// The result grid: a header row and a row-number column that stay in place
// while the rest scrolls, addressed as one grid of rows and columns.
#ifndef CHECKER_UI_RESULT_GRID_H_
#define CHECKER_UI_RESULT_GRID_H_

#include <QColor>
#include <QString>
#include <QTableWidget>

class QAbstractButton;

namespace checker_ui {

// Row 0 is the header row and column 0 the row-number column; Qt draws
// them as the horizontal header, the vertical header and the corner, so
// grid cell (r, c) with r, c >= 1 is table item (r - 1, c - 1).
class ResultGrid : public QTableWidget {
  Q_OBJECT

 public:
  static constexpr int kColumns = 4;
  static constexpr int kRowHeight = 24;

  explicit ResultGrid(QWidget* parent = nullptr);

  // The header row alone, with its texts and column widths.
  void Reset();
  // Adds a row below the last with `heading` in column 0; returns its index.
  int AppendRow(const QString& heading);
  // Rows including the header row.
  int RowCount() const;

  // Cells outside the grid are ignored.
  void SetCellText(int row, int column, const QString& text);
  void SetCellTextColour(int row, int column, const QColor& colour);
  // Empty text and an invalid colour (the default) outside the grid.
  QString CellText(int row, int column) const;
  QColor CellTextColour(int row, int column) const;
  int ColumnWidth(int column) const;

  // The topmost row holding a selected cell, or -1.
  int TopSelectedRow() const;

 signals:
  // A double-click on a cell or a row number, after its selection.
  void RowActivated();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Contains(int row, int column) const;
  QTableWidgetItem* Item(int row, int column, bool create);
  const QTableWidgetItem* Item(int row, int column) const;

  // The corner carries cell (0, 0): Qt's corner button draws no text.
  QAbstractButton* corner_ = nullptr;
  QString corner_text_;
  QColor corner_colour_;
};

}  // namespace checker_ui

#endif  // CHECKER_UI_RESULT_GRID_H_
