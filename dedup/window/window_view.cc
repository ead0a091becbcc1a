#include "dedup/window/window_view.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <utility>

#include "dedup/window/dedup_window.h"
#include "dedup/window/window_thread_bridge.h"

namespace dedup {
namespace {

std::filesystem::path ToPath(const QString& file) {
  return std::filesystem::path(QFile::encodeName(file).toStdString());
}

}  // namespace

WindowView::WindowView(DedupWindow* window,
                       std::shared_ptr<WindowThreadBridge> bridge)
    : window_(window), bridge_(std::move(bridge)) {}

void WindowView::Do(const std::function<void(DedupWindow&)>& work) {
  bridge_->Call([this, &work] { work(*window_); });
}

int WindowView::ItemCount() {
  int count = 0;
  Do([&count](DedupWindow& window) { count = window.ItemCountNow(); });
  return count;
}

core::AnsiText WindowView::ItemText(int index) {
  core::AnsiText text;
  Do([&](DedupWindow& window) { text = window.ItemTextNow(index); });
  return text;
}

std::shared_ptr<const LineList> WindowView::Items() {
  std::shared_ptr<const LineList> items;
  Do([&items](DedupWindow& window) { items = window.ItemsNow(); });
  // A closed window has no items; callers need not check.
  return items ? items : std::make_shared<const LineList>();
}

void WindowView::AppendItems(LineList lines) {
  Do([&lines](DedupWindow& window) {
    window.AppendItemsNow(std::move(lines));
  });
}

void WindowView::ClearItems() {
  Do([](DedupWindow& window) { window.ClearItemsNow(); });
}

void WindowView::SetProgressMaximum(int maximum) {
  Do([maximum](DedupWindow& window) { window.SetProgressMaximumNow(maximum); });
}

void WindowView::SetProgressPosition(int position) {
  Do([position](DedupWindow& window) {
    window.SetProgressPositionNow(position);
  });
}

void WindowView::SetCountCaption(const core::AnsiText& caption) {
  Do([&caption](DedupWindow& window) { window.SetCountCaptionNow(caption); });
}

void WindowView::SetButtonEnabled(ActionButton button, bool enabled) {
  Do([=](DedupWindow& window) { window.SetButtonEnabledNow(button, enabled); });
}

std::optional<std::filesystem::path> WindowView::ChooseOpenFile(
    const FileDialogRequest& request) {
  return ChooseFile(false, request);
}

std::optional<std::filesystem::path> WindowView::ChooseSaveFile(
    const FileDialogRequest& request) {
  return ChooseFile(true, request);
}

std::optional<std::filesystem::path> WindowView::ChooseFile(
    bool save, const FileDialogRequest& request) {
  // Written by the dialog's handler, which might in principle outlive this
  // call; the shared slot keeps it from writing into a finished frame.
  auto chosen = std::make_shared<std::optional<QString>>();
  auto finish = [this, save, chosen](QFileDialog* dialog, int result) {
    if (result != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
      return;
    }
    *chosen = dialog->selectedFiles().first();
    if (!save) window_->RememberOpenFile(**chosen);
  };
  if (bridge_->OnWindowThread()) {
    Do([&](DedupWindow& window) {
      std::unique_ptr<QFileDialog> dialog(window.NewFileDialog(save, request));
      finish(dialog.get(), dialog->exec());
    });
  } else {
    bridge_->Await([&](const WindowThreadBridge::Done& done) {
      QFileDialog* dialog = window_->NewFileDialog(save, request);
      dialog->setAttribute(Qt::WA_DeleteOnClose);
      QObject::connect(dialog, &QDialog::finished, dialog,
                       [dialog, finish, done](int result) {
                         finish(dialog, result);
                         done();
                       });
      dialog->open();
    });
  }
  if (!chosen->has_value()) return std::nullopt;
  return ToPath(**chosen);
}

void WindowView::ShowMessage(const Message& message) {
  // On the window's thread Await does not wait, which is what the view
  // promises there.
  bridge_->Await([&](const WindowThreadBridge::Done& done) {
    QMessageBox* box = window_->NewMessageBox(message);
    QObject::connect(box, &QDialog::finished, box, [done] { done(); });
    if (box->parent() == nullptr) {
      box->show();
    } else {
      box->open();
    }
  });
}

}  // namespace dedup
