// The duplicate remover's window: the list, the command buttons, the
// progress bar and the item count.
#ifndef DEDUP_WINDOW_DEDUP_WINDOW_H_
#define DEDUP_WINDOW_DEDUP_WINDOW_H_

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "dedup/runs/dedup_view.h"
#include "dedup/runs/progress.h"

class QFileDialog;
class QLabel;
class QListView;
class QMessageBox;
class QProgressBar;
class QPushButton;

namespace dedup {

class LineListModel;
class WindowThreadBridge;

// What the window needs from outside at start-up. Empty functions do
// nothing, so the window also runs without the skin library.
struct DedupStartup {
  std::filesystem::path program_dir;
  // Dresses the program's windows; returns the message for the user when
  // the program cannot go on.
  std::function<std::optional<std::string>(const std::filesystem::path&)>
      apply_skin;
  std::function<void()> open_website;
};

class DedupWindow : public QWidget {
 public:
  explicit DedupWindow(DedupStartup startup = {});
  ~DedupWindow() override;

  // Call once the window exists, before it is shown. A message means the
  // program must show it and end.
  std::optional<std::string> ApplyStartupSkin();

  // The window as the runs see it; usable from any thread, and safe to
  // hold after the window is gone (every operation then does nothing).
  std::shared_ptr<DedupView> view() const { return view_; }

  // Called when the window is closed (close button, system menu or Esc).
  void SetCloseHandler(std::function<void()> on_close) {
    on_close_ = std::move(on_close);
  }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  friend class WindowView;

  void CreateControls();
  QPushButton* AddButton(const QString& name, const QString& caption,
                         const QRect& geometry);
  void StartRun(void (*run)(DedupView&));
  QPushButton* ActionButtonWidget(ActionButton button) const;

  // Window-thread halves of the view's operations.
  int ItemCountNow() const;
  core::AnsiText ItemTextNow(int index) const;
  std::shared_ptr<const LineList> ItemsNow() const;
  void AppendItemsNow(LineList lines);
  void ClearItemsNow();
  void SetProgressMaximumNow(int maximum);
  void SetProgressPositionNow(int position);
  void ShowProgress();
  void SetCountCaptionNow(const core::AnsiText& caption);
  void SetButtonEnabledNow(ActionButton button, bool enabled);
  QFileDialog* NewFileDialog(bool save, const FileDialogRequest& request);
  void RememberOpenFile(const QString& path) { last_open_file_ = path; }
  QMessageBox* NewMessageBox(const Message& message);

  DedupStartup startup_;
  std::function<void()> on_close_;
  LineListModel* model_ = nullptr;
  QListView* list_ = nullptr;
  QPushButton* import_button_ = nullptr;
  QPushButton* clear_button_ = nullptr;
  QPushButton* remove_button_ = nullptr;
  QPushButton* export_button_ = nullptr;
  QProgressBar* progress_bar_ = nullptr;
  ProgressRange progress_;
  QLabel* count_label_ = nullptr;
  QString last_open_file_;
  // Message boxes without an owner are not destroyed with the window, so
  // the window keeps track of them itself.
  QList<QPointer<QMessageBox>> ownerless_boxes_;
  std::shared_ptr<WindowThreadBridge> bridge_;
  std::shared_ptr<DedupView> view_;
};

}  // namespace dedup

#endif  // DEDUP_WINDOW_DEDUP_WINDOW_H_
