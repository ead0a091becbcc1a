// The list control's items: cp936 byte strings, decoded only for the rows
// on screen, so a million lines cost no widget or string object each.
#ifndef DEDUP_WINDOW_LINE_LIST_MODEL_H_
#define DEDUP_WINDOW_LINE_LIST_MODEL_H_

#include <QAbstractListModel>
#include <memory>

#include "dedup/runs/line_list.h"

namespace dedup {

class LineListModel : public QAbstractListModel {
 public:
  explicit LineListModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  // The display text has its tabs expanded to stops every 8 columns.
  QVariant data(const QModelIndex& index, int role) const override;

  // Shared with whoever holds it; changes never reach an earlier snapshot.
  std::shared_ptr<const LineList> lines() const { return lines_; }
  void Append(LineList lines);
  void Clear();

 private:
  std::shared_ptr<LineList> lines_;
};

// Decodes a cp936 line for display, tabs expanded (a byte is a column, so a
// double-byte character takes two).
QString DisplayText(std::string_view line);

}  // namespace dedup

#endif  // DEDUP_WINDOW_LINE_LIST_MODEL_H_
