// The program from the window's creation to its closing.
#ifndef DEDUP_WINDOW_RUN_PROGRAM_H_
#define DEDUP_WINDOW_RUN_PROGRAM_H_

#include <QApplication>

#include "dedup/window/dedup_window.h"

namespace dedup {

// Creates the window and applies the skin. When the skin step reports a
// message it is shown and 1 is returned; otherwise the window is shown and
// the result is that of the event loop, which ends when the window closes.
int RunDedupWindow(QApplication& app, DedupStartup startup);

}  // namespace dedup

#endif  // DEDUP_WINDOW_RUN_PROGRAM_H_
