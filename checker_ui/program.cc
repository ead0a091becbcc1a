#include "checker_ui/program.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "checker_ui/fonts.h"

namespace checker_ui {

int RunChecker(int& argc, char** argv, CheckerWindow::Services services,
               const std::function<void(CheckerWindow&)>& shown) {
  QApplication application(argc, argv);
  InstallFontSubstitutes();
  CheckerWindow window(std::move(services));
  window.show();
  if (shown) shown(window);
  application.exec();
  if (window.WorkerStarted()) {
    // A worker may be blocked in a request or waiting on the window, and
    // nobody waits for it: end here, before destructors run beneath it.
    std::fflush(nullptr);
    std::_Exit(0);
  }
  return 0;
}

}  // namespace checker_ui
