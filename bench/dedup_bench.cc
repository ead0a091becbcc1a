// dedup_bench FILE [OUT]: imports FILE into the real window (offscreen),
// removes the repeated lines on a worker as the removal button does,
// exports to OUT (default FILE.dedup) and prints one line of figures.
#include <sys/resource.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "dedup/runs/runs.h"
#include "dedup/window/dedup_window.h"

namespace {

// The window's own view, with the dialogs answered and the messages
// dismissed at once, so the figures are the program's and not a person's.
class AnsweringView : public dedup::DedupView {
 public:
  AnsweringView(std::shared_ptr<dedup::DedupView> window,
                std::filesystem::path in, std::filesystem::path out)
      : window_(std::move(window)), in_(std::move(in)), out_(std::move(out)) {}

  int ItemCount() override { return window_->ItemCount(); }
  core::AnsiText ItemText(int index) override {
    return window_->ItemText(index);
  }
  std::shared_ptr<const dedup::LineList> Items() override {
    return window_->Items();
  }
  void AppendItems(dedup::LineList lines) override {
    window_->AppendItems(std::move(lines));
  }
  void ClearItems() override { window_->ClearItems(); }
  void SetProgressMaximum(int maximum) override {
    window_->SetProgressMaximum(maximum);
  }
  void SetProgressPosition(int position) override {
    window_->SetProgressPosition(position);
  }
  void SetCountCaption(const core::AnsiText& caption) override {
    window_->SetCountCaption(caption);
  }
  void SetButtonEnabled(dedup::ActionButton button, bool enabled) override {
    window_->SetButtonEnabled(button, enabled);
  }
  std::optional<std::filesystem::path> ChooseOpenFile(
      const dedup::FileDialogRequest&) override {
    return in_;
  }
  std::optional<std::filesystem::path> ChooseSaveFile(
      const dedup::FileDialogRequest&) override {
    return out_;
  }
  void ShowMessage(const dedup::Message& message) override {
    if (message.kind == dedup::Message::Kind::kError) {
      std::fprintf(stderr, "%s\n", message.text.c_str());
      failed = true;
    }
  }

  std::atomic<bool> failed = false;

 private:
  std::shared_ptr<dedup::DedupView> window_;
  std::filesystem::path in_;
  std::filesystem::path out_;
};

double Seconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// Runs `run` on a worker, as the buttons do, while the window's thread
// serves its view operations; returns the wall time.
double OnWorker(AnsweringView& view, void (*run)(dedup::DedupView&)) {
  const auto start = std::chrono::steady_clock::now();
  std::atomic<bool> done = false;
  QEventLoop loop;
  std::thread worker([&] {
    run(view);
    done = true;
    QMetaObject::invokeMethod(
        &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
  });
  if (!done) loop.exec();
  worker.join();
  return Seconds(std::chrono::steady_clock::now() - start);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s FILE [OUT]\n", argv[0]);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  const std::filesystem::path in = argv[1];
  const std::filesystem::path out =
      argc == 3 ? std::filesystem::path(argv[2])
                : std::filesystem::path(in.string() + ".dedup");

  dedup::DedupWindow window;
  window.show();
  QCoreApplication::processEvents();
  AnsweringView view(window.view(), in, out);

  auto start = std::chrono::steady_clock::now();
  dedup::ImportLines(view);
  QCoreApplication::processEvents();  // the list lays out its new rows
  const double import_s = Seconds(std::chrono::steady_clock::now() - start);
  const int lines = view.ItemCount();

  const double remove_s = OnWorker(view, &dedup::RemovalRun);
  const double export_s = OnWorker(view, &dedup::ExportRun);

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf(
      "lines=%d import_s=%.3f remove_s=%.3f export_s=%.3f "
      "peak_rss_mb=%.1f\n",
      lines, import_s, remove_s, export_s,
      static_cast<double>(usage.ru_maxrss) / 1024.0);
  return view.failed ? 1 : 0;
}
