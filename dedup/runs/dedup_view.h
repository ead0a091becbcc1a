// What the import, export, clear and removal runs may do with the window,
// so that they can run against a stand-in as well as against the real one.
#ifndef DEDUP_RUNS_DEDUP_VIEW_H_
#define DEDUP_RUNS_DEDUP_VIEW_H_

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "core/text/ansi_text.h"
#include "dedup/runs/line_list.h"

namespace dedup {

// The buttons that are disabled and enabled together, in this order.
enum class ActionButton { kRemove, kClear, kExport, kImport };
inline constexpr ActionButton kActionButtons[] = {
    ActionButton::kRemove, ActionButton::kClear, ActionButton::kExport,
    ActionButton::kImport};

// A file dialog's settings; texts are UTF-8. The filter is written as label
// and pattern separated by "|", pairs one after another ("文本|*.txt").
struct FileDialogRequest {
  std::string file_name;
  std::string filter;
  std::string default_extension;
};

struct Message {
  enum class Kind { kPlain, kError };
  Kind kind = Kind::kPlain;
  std::string text;     // UTF-8
  std::string caption;  // UTF-8
};

// Every operation may be called from any thread; a window carries each out
// on its own thread and returns when it is done. Items count from 0.
class DedupView {
 public:
  virtual ~DedupView() = default;

  virtual int ItemCount() = 0;
  // The empty text for an index outside 0 to count - 1.
  virtual core::AnsiText ItemText(int index) = 0;
  // All items at once. The list is shared, not copied: it stays valid and
  // unchanged for the holder even after the window's items change.
  virtual std::shared_ptr<const LineList> Items() = 0;
  virtual void AppendItems(LineList lines) = 0;
  virtual void ClearItems() = 0;

  // Values outside what the bar accepts are held within it.
  virtual void SetProgressMaximum(int maximum) = 0;
  virtual void SetProgressPosition(int position) = 0;
  virtual void SetCountCaption(const core::AnsiText& caption) = 0;
  virtual void SetButtonEnabled(ActionButton button, bool enabled) = 0;

  // The chosen full path, or nullopt when the user cancels. The open dialog
  // starts on the file chosen last; the save dialog asks before replacing
  // an existing file.
  virtual std::optional<std::filesystem::path> ChooseOpenFile(
      const FileDialogRequest& request) = 0;
  virtual std::optional<std::filesystem::path> ChooseSaveFile(
      const FileDialogRequest& request) = 0;

  // From a worker thread this returns once the user has dismissed the
  // message; on the window's thread it returns at once.
  virtual void ShowMessage(const Message& message) = 0;
};

}  // namespace dedup

#endif  // DEDUP_RUNS_DEDUP_VIEW_H_
