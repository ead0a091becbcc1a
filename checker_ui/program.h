// The checker program from start to end, shared by main() and the tools
// that drive the same program with stand-in services.
#ifndef CHECKER_UI_PROGRAM_H_
#define CHECKER_UI_PROGRAM_H_

#include <functional>

#include "checker_ui/checker_window.h"

namespace checker_ui {

// Shows the window and handles its events until it is closed; `shown` runs
// once the window is on screen. Returns the exit status, 0; once a check
// has started it does not return but ends the process with status 0.
int RunChecker(int& argc, char** argv, CheckerWindow::Services services = {},
               const std::function<void(CheckerWindow&)>& shown = {});

}  // namespace checker_ui

#endif  // CHECKER_UI_PROGRAM_H_
