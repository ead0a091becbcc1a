#include "dedup/window/run_program.h"

#include <QMessageBox>
#include <utility>

namespace dedup {

int RunDedupWindow(QApplication& app, DedupStartup startup) {
  DedupWindow window(std::move(startup));
  if (const std::optional<std::string> error = window.ApplyStartupSkin()) {
    QMessageBox box(QMessageBox::Critical, window.windowTitle(),
                    QString::fromStdString(*error), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return 1;
  }
  // A message box without owner may still be open; closing the window ends
  // the program all the same.
  window.SetCloseHandler([&app] { app.quit(); });
  window.show();
  return app.exec();
}

}  // namespace dedup
