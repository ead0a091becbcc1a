#include "dedup/window/file_dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

namespace dedup {
namespace {

class LineFileDialog : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;

  void accept() override {
    // Qt's own dialog would take a name in a folder that does not exist
    // and leave the failure to the write.
    const QStringList files = selectedFiles();
    if (!files.isEmpty() && !QFileInfo(files.first()).absoluteDir().exists()) {
      auto* box =
          new QMessageBox(QMessageBox::Warning, windowTitle(),
                          QStringLiteral("文件夹“%1”不存在。")
                              .arg(QDir::toNativeSeparators(
                                  QFileInfo(files.first()).absolutePath())),
                          QMessageBox::Ok, this);
      box->setAttribute(Qt::WA_DeleteOnClose);
      box->open();
      return;
    }
    QFileDialog::accept();
  }
};

}  // namespace

QStringList NameFilters(std::string_view filter) {
  QStringList parts =
      QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size()))
          .split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters.append(parts[i] + QStringLiteral(" (") + patterns +
                   QLatin1Char(')'));
  }
  return filters;
}

QFileDialog* MakeFileDialog(FileDialogKind kind,
                            const FileDialogRequest& request,
                            const QString& proposed, QWidget* parent) {
  auto* dialog = new LineFileDialog(parent);
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  if (kind == FileDialogKind::kOpen) {
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
  } else {
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
  }
  const QStringList filters = NameFilters(request.filter);
  if (!filters.isEmpty()) dialog->setNameFilters(filters);
  if (!request.default_extension.empty()) {
    dialog->setDefaultSuffix(QString::fromStdString(request.default_extension));
  }
  if (!proposed.isEmpty()) dialog->selectFile(proposed);
  return dialog;
}

}  // namespace dedup
