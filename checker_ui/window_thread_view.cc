#include "checker_ui/window_thread_view.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <chrono>
#include <thread>

namespace checker_ui {
namespace {

[[noreturn]] void Park() {
  for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
}

}  // namespace

void WindowThreadView::OnWindowThread(
    const std::function<void(check::CheckerView&)>& operation) {
  if (link_->window_gone) Park();
  // The application object outlives every window, so the hand-off never
  // targets an object that may vanish while the worker waits; whether the
  // window still exists is decided over there, where it is destroyed.
  QCoreApplication* application = QCoreApplication::instance();
  auto carry_out = [this, &operation] {
    if (link_->target != nullptr) operation(*link_->target);
  };
  if (application == nullptr) Park();
  if (QThread::currentThread() == application->thread()) {
    carry_out();
  } else {
    QMetaObject::invokeMethod(application, carry_out,
                              Qt::BlockingQueuedConnection);
  }
  if (link_->window_gone) Park();
}

void WindowThreadView::SetStartEnabled(bool enabled) {
  OnWindowThread(
      [&](check::CheckerView& view) { view.SetStartEnabled(enabled); });
}

void WindowThreadView::ResetResultGrid() {
  OnWindowThread([](check::CheckerView& view) { view.ResetResultGrid(); });
}

core::AnsiText WindowThreadView::ReadArticle() {
  core::AnsiText article;
  OnWindowThread(
      [&](check::CheckerView& view) { article = view.ReadArticle(); });
  return article;
}

void WindowThreadView::AppendResultRow(const core::AnsiText& heading) {
  OnWindowThread(
      [&](check::CheckerView& view) { view.AppendResultRow(heading); });
}

void WindowThreadView::SetCellText(int row, int column,
                                   const core::AnsiText& text) {
  OnWindowThread(
      [&](check::CheckerView& view) { view.SetCellText(row, column, text); });
}

void WindowThreadView::SetCellTextColour(int row, int column,
                                         check::Colour colour) {
  OnWindowThread([&](check::CheckerView& view) {
    view.SetCellTextColour(row, column, colour);
  });
}

void WindowThreadView::ShowCharacterCount(const core::AnsiText& text) {
  OnWindowThread(
      [&](check::CheckerView& view) { view.ShowCharacterCount(text); });
}

void WindowThreadView::ShowOriginalityRate(const core::AnsiText& text) {
  OnWindowThread(
      [&](check::CheckerView& view) { view.ShowOriginalityRate(text); });
}

int WindowThreadView::FindInEditor(const core::AnsiText& text) {
  int position = -1;
  OnWindowThread(
      [&](check::CheckerView& view) { position = view.FindInEditor(text); });
  return position;
}

void WindowThreadView::SelectInEditor(int start, int length) {
  OnWindowThread(
      [&](check::CheckerView& view) { view.SelectInEditor(start, length); });
}

void WindowThreadView::FormatSelection(const check::CharFormat& format) {
  OnWindowThread(
      [&](check::CheckerView& view) { view.FormatSelection(format); });
}

void WindowThreadView::ResetEditorFormat() {
  OnWindowThread([](check::CheckerView& view) { view.ResetEditorFormat(); });
}

}  // namespace checker_ui
