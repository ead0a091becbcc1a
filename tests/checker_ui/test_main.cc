// The window tests need one application object for the whole run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>

#include "checker_ui/fonts.h"

int main(int argc, char** argv) {
  // Also when the test list is read outside ctest's environment.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  }
  QApplication application(argc, argv);
  checker_ui::InstallFontSubstitutes();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
