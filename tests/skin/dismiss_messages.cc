// Preloaded into a program under test that runs without a person: closes
// each message box it opens, after printing its text to standard error, so
// a program that shows a message and then exits can be tested for both. With
// SKIN_TEST_CLOSE_AFTER_MS set it also reports the application's style sheet
// size and closes every window after that many milliseconds.
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace {

void WatchForMessages() {
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (app == nullptr) return;
  const char* close_after = std::getenv("SKIN_TEST_CLOSE_AFTER_MS");
  const long close_after_ms =
      close_after != nullptr ? std::strtol(close_after, nullptr, 10) : -1;
  auto* timer = new QTimer(app);
  QElapsedTimer clock;
  clock.start();
  QObject::connect(
      timer, &QTimer::timeout, app, [app, timer, clock, close_after_ms] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
          auto* box = qobject_cast<QMessageBox*>(widget);
          if (box == nullptr || !box->isVisible()) continue;
          std::fprintf(stderr, "message-box: %s\n",
                       box->text().toUtf8().constData());
          std::fflush(stderr);
          box->done(QMessageBox::Ok);
        }
        if (close_after_ms >= 0 && clock.elapsed() >= close_after_ms) {
          std::fprintf(
              stderr, "style-sheet-bytes=%lld\n",
              static_cast<long long>(app->styleSheet().toUtf8().size()));
          std::fflush(stderr);
          timer->stop();
          QApplication::closeAllWindows();
        }
      });
  timer->start(50);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(WatchForMessages)
