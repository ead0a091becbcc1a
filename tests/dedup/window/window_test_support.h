// Finding and driving the window's controls and dialogs in tests.
#ifndef TESTS_DEDUP_WINDOW_WINDOW_TEST_SUPPORT_H_
#define TESTS_DEDUP_WINDOW_WINDOW_TEST_SUPPORT_H_

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

namespace dedup {

template <typename T>
T* Control(QWidget& window, const char* utf8_name) {
  return window.findChild<T*>(QString::fromUtf8(utf8_name),
                              Qt::FindDirectChildrenOnly);
}

template <typename T>
T* VisibleTopLevel() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* found = qobject_cast<T*>(widget); found && found->isVisible()) {
      return found;
    }
  }
  return nullptr;
}

template <typename T>
T* WaitForTopLevel(int timeout_ms = 5000) {
  T* found = nullptr;
  const bool shown = QTest::qWaitFor(
      [&] { return (found = VisibleTopLevel<T>()) != nullptr; }, timeout_ms);
  return shown ? found : nullptr;
}

// For dialogs shown with exec(), which do not return to the test until they
// close: acts on the dialog from the event loop once it is up.
template <typename T>
void WhenShown(std::function<void(T*)> act) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
    if (T* dialog = VisibleTopLevel<T>()) {
      poll->stop();
      poll->deleteLater();
      act(dialog);
    }
  });
  poll->start(5);
}

// Types the name as a user would: selectFile leaves a focused name field
// alone.
inline void ChooseFile(QFileDialog* dialog, const QString& file) {
  if (auto* name =
          dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
    name->setText(file);
  } else {
    dialog->selectFile(file);
  }
  static_cast<QDialog*>(dialog)->accept();  // public as a QDialog
}

}  // namespace dedup

#endif  // TESTS_DEDUP_WINDOW_WINDOW_TEST_SUPPORT_H_
