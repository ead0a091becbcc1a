// Qt's own (non-native) file dialogs, set up the way line files need them.
#ifndef DEDUP_WINDOW_FILE_DIALOGS_H_
#define DEDUP_WINDOW_FILE_DIALOGS_H_

#include <QFileDialog>
#include <QStringList>
#include <string_view>

#include "dedup/runs/dedup_view.h"

namespace dedup {

enum class FileDialogKind { kOpen, kSave };

// "文本|*.txt" (label and pattern, pairs one after another) as Qt writes
// filters: "文本 (*.txt)". Several patterns of one entry may be joined by ';'.
QStringList NameFilters(std::string_view filter);

// The open dialog accepts only an existing file; the save dialog asks before
// replacing one and adds the default extension to a name without one. Both
// insist that the chosen file's folder exists. `proposed` is the file name
// the dialog starts with (empty: none).
QFileDialog* MakeFileDialog(FileDialogKind kind,
                            const FileDialogRequest& request,
                            const QString& proposed, QWidget* parent);

}  // namespace dedup

#endif  // DEDUP_WINDOW_FILE_DIALOGS_H_
