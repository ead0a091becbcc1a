// Closes the checker window in the middle of a check and leaves the way the
// program does. "request": the worker is held inside its request for good;
// "window": the worker keeps handing rows to the window as fast as it can;
// "idle": no check is started at all.
// Prints "closing" just before it closes the window.
#include <QString>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "checker_ui/article_editor.h"
#include "checker_ui/checker_window.h"
#include "checker_ui/program.h"
#include "checker_ui/result_grid.h"

int main(int argc, char** argv) {
  const bool held_in_request = argc > 1 && std::strcmp(argv[1], "request") == 0;
  const bool idle = argc > 1 && std::strcmp(argv[1], "idle") == 0;
  static std::atomic<bool> requesting{false};
  checker_ui::CheckerWindow::Services services;
  services.opener = [](const std::string&) {};
  services.fragment_source = [held_in_request](const core::AnsiText& segment,
                                               core::TextList& fragments) {
    if (held_in_request) {
      requesting = true;
      for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
    }
    fragments.push_back(segment);
    return true;
  };
  return checker_ui::RunChecker(
      argc, argv, std::move(services),
      [held_in_request, idle](checker_ui::CheckerWindow& window) {
        window.editor()->ReplaceText(QString(36 * 2000, QChar(u'\x6587')));
        if (!idle) window.StartCheck();
        auto* poll = new QTimer(&window);
        QObject::connect(
            poll, &QTimer::timeout, &window, [&window, held_in_request, idle] {
              const bool ready =
                  idle || (held_in_request ? requesting.load()
                                           : window.grid()->RowCount() > 3);
              if (!ready) return;
              std::printf("closing\n");
              std::fflush(stdout);
              window.close();
            });
        poll->start(5);
      });
}
