#include "dedup/window/line_list_model.h"

#include <string>
#include <utility>

#include "platform/codepage/code_page.h"

namespace dedup {

QString DisplayText(std::string_view line) {
  constexpr std::size_t kTabStop = 8;
  std::string expanded;
  if (line.find('\t') != std::string_view::npos) {
    for (const char byte : line) {
      if (byte == '\t') {
        expanded.append(kTabStop - expanded.size() % kTabStop, ' ');
      } else {
        expanded.push_back(byte);
      }
    }
    line = expanded;
  }
  const std::u16string wide = platform::MultiByteToWide(936, line);
  return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

LineListModel::LineListModel(QObject* parent)
    : QAbstractListModel(parent), lines_(std::make_shared<LineList>()) {}

int LineListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(lines_->size());
}

QVariant LineListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() < 0 ||
      static_cast<std::size_t>(index.row()) >= lines_->size()) {
    return QVariant();
  }
  return DisplayText((*lines_)[static_cast<std::size_t>(index.row())]);
}

void LineListModel::Append(LineList lines) {
  if (lines.empty()) return;
  if (lines_->empty()) {
    beginResetModel();
    lines_ = std::make_shared<LineList>(std::move(lines));
    endResetModel();
    return;
  }
  const int first = static_cast<int>(lines_->size());
  beginInsertRows(QModelIndex(), first,
                  first + static_cast<int>(lines.size()) - 1);
  // A run may still hold the current list; it must keep seeing it as it was.
  if (lines_.use_count() > 1) lines_ = std::make_shared<LineList>(*lines_);
  lines_->Append(lines);
  endInsertRows();
}

void LineListModel::Clear() {
  beginResetModel();
  lines_ = std::make_shared<LineList>();
  endResetModel();
}

}  // namespace dedup
