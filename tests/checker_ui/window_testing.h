// Small helpers the window tests share.
#ifndef TESTS_CHECKER_UI_WINDOW_TESTING_H_
#define TESTS_CHECKER_UI_WINDOW_TESTING_H_

#include <QCoreApplication>
#include <QString>
#include <QWidget>
#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <thread>

#include "checker_ui/ansi_qt.h"
#include "core/text/ansi_text.h"

namespace checker_ui::testing {

// The control with this design name, or null.
template <typename Control>
Control* Find(const QWidget& window, const char* name) {
  return window.findChild<Control*>(QString::fromUtf8(name));
}

// Handles events until `done` holds; false if it still does not after
// `limit`, which only guards against a hang.
inline bool SpinUntil(
    const std::function<bool()>& done,
    std::chrono::milliseconds limit = std::chrono::seconds(20)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// UTF-8 source text as the check run's code page 936 bytes.
inline core::AnsiText Ansi(const char* utf8) {
  return ToAnsi(QString::fromUtf8(utf8));
}

}  // namespace checker_ui::testing

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

#endif  // TESTS_CHECKER_UI_WINDOW_TESTING_H_
