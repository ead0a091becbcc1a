// DedupWindow as the runs see it: every operation is handed to the window's
// thread and finished there before it returns.
#ifndef DEDUP_WINDOW_WINDOW_VIEW_H_
#define DEDUP_WINDOW_WINDOW_VIEW_H_

#include <functional>
#include <memory>

#include "dedup/runs/dedup_view.h"

namespace dedup {

class DedupWindow;
class WindowThreadBridge;

class WindowView final : public DedupView {
 public:
  // `window` is only touched on its own thread and only while `bridge` is
  // attached to it, so this view may outlive the window.
  WindowView(DedupWindow* window, std::shared_ptr<WindowThreadBridge> bridge);

  int ItemCount() override;
  core::AnsiText ItemText(int index) override;
  std::shared_ptr<const LineList> Items() override;
  void AppendItems(LineList lines) override;
  void ClearItems() override;
  void SetProgressMaximum(int maximum) override;
  void SetProgressPosition(int position) override;
  void SetCountCaption(const core::AnsiText& caption) override;
  void SetButtonEnabled(ActionButton button, bool enabled) override;
  std::optional<std::filesystem::path> ChooseOpenFile(
      const FileDialogRequest& request) override;
  std::optional<std::filesystem::path> ChooseSaveFile(
      const FileDialogRequest& request) override;
  void ShowMessage(const Message& message) override;

 private:
  void Do(const std::function<void(DedupWindow&)>& work);
  std::optional<std::filesystem::path> ChooseFile(
      bool save, const FileDialogRequest& request);

  DedupWindow* const window_;
  const std::shared_ptr<WindowThreadBridge> bridge_;
};

}  // namespace dedup

#endif  // DEDUP_WINDOW_WINDOW_VIEW_H_
