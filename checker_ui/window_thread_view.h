// The check run's view for a worker thread: every operation is carried out
// on the window's thread and has completed when it returns.
#ifndef CHECKER_UI_WINDOW_THREAD_VIEW_H_
#define CHECKER_UI_WINDOW_THREAD_VIEW_H_

#include <atomic>
#include <functional>
#include <memory>

#include "core/check/checker_view.h"

namespace checker_ui {

// What a window and its workers share. `target` is read and written on the
// window thread only; the worker just reads the flags.
struct ViewLink {
  check::CheckerView* target = nullptr;  // null once the window is gone
  std::atomic<bool> window_gone{false};
  std::atomic<bool> worker_started{false};
};

class WindowThreadView : public check::CheckerView {
 public:
  explicit WindowThreadView(std::shared_ptr<ViewLink> link)
      : link_(std::move(link)) {}

  void SetStartEnabled(bool enabled) override;
  void ResetResultGrid() override;
  core::AnsiText ReadArticle() override;
  void AppendResultRow(const core::AnsiText& heading) override;
  void SetCellText(int row, int column, const core::AnsiText& text) override;
  void SetCellTextColour(int row, int column, check::Colour colour) override;
  void ShowCharacterCount(const core::AnsiText& text) override;
  void ShowOriginalityRate(const core::AnsiText& text) override;
  int FindInEditor(const core::AnsiText& text) override;
  void SelectInEditor(int start, int length) override;
  void FormatSelection(const check::CharFormat& format) override;
  void ResetEditorFormat() override;

 private:
  // Runs `operation` on the window thread and waits for it. Once the
  // window is gone the calling worker stops here for good: the program is
  // ending, and a run without its window has nothing left to do.
  void OnWindowThread(
      const std::function<void(check::CheckerView&)>& operation);

  std::shared_ptr<ViewLink> link_;
};

}  // namespace checker_ui

#endif  // CHECKER_UI_WINDOW_THREAD_VIEW_H_
