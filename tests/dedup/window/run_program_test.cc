#include "dedup/window/run_program.h"

#include <gtest/gtest.h>

#include <QLabel>

#include "tests/dedup/window/window_test_support.h"

namespace dedup {
namespace {

TEST(RunProgramTest, SkinFailureIsShownAndEndsTheProgram) {
  DedupStartup startup;
  startup.program_dir = "/opt/somewhere";
  std::filesystem::path asked_for;
  startup.apply_skin = [&asked_for](const std::filesystem::path& dir) {
    asked_for = dir;
    return std::optional<std::string>("SkinH_EL.dll: SkinH_AttachRes 缺失");
  };
  QString shown;
  WhenShown<QMessageBox>([&shown](QMessageBox* box) {
    shown = box->text();
    box->accept();
  });
  EXPECT_EQ(RunDedupWindow(*qApp, startup), 1);
  EXPECT_EQ(asked_for, std::filesystem::path("/opt/somewhere"));
  EXPECT_EQ(shown, QStringLiteral("SkinH_EL.dll: SkinH_AttachRes 缺失"));
}

TEST(RunProgramTest, ClosingTheWindowEndsTheProgram) {
  DedupStartup startup;
  int skinned = 0;
  startup.apply_skin = [&skinned](const std::filesystem::path&) {
    ++skinned;
    return std::optional<std::string>();
  };
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, poll, [poll] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->isVisible() &&
          widget->findChild<QLabel*>(QStringLiteral("标签2")) != nullptr) {
        poll->deleteLater();
        widget->close();
        return;
      }
    }
  });
  poll->start(5);
  EXPECT_EQ(RunDedupWindow(*qApp, startup), 0);
  EXPECT_EQ(skinned, 1);
}

}  // namespace
}  // namespace dedup
