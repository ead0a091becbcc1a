#include <gtest/gtest.h>

#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <memory>
#include <string>

#include "dedup/window/dedup_window.h"
#include "tests/dedup/window/window_test_support.h"
#include "tests/support/temp_folder.h"

namespace dedup {
namespace {

using test::TempFolder;

class WindowRunsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(folder_.path().empty());
    DedupStartup startup;
    startup.open_website = [this] { ++website_opened_; };
    window_ = std::make_unique<DedupWindow>(std::move(startup));
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  }

  void TearDown() override {
    // Nothing may be left open for the next test.
    while (QWidget* box = VisibleTopLevel<QMessageBox>()) box->close();
    window_.reset();
    QTest::qWait(10);
  }

  QPushButton* Button(const char* name) {
    return Control<QPushButton>(*window_, name);
  }
  QString Count() { return Control<QLabel>(*window_, "标签2")->text(); }
  QString Path(const std::string& name) {
    return QString::fromStdString((folder_.path() / name).string());
  }

  bool ActionButtonsEnabled(bool enabled) {
    for (const char* name : {"按钮1", "按钮7", "按钮5", "按钮4"}) {
      if (Button(name)->isEnabled() != enabled) return false;
    }
    return true;
  }

  std::string Items() {
    std::string all;
    const std::shared_ptr<DedupView> view = window_->view();
    for (int i = 0; i < view->ItemCount(); ++i) {
      all += view->ItemText(i).bytes() + "|";
    }
    return all;
  }

  // Clicks the import button and picks `file` in the open dialog; `check`
  // sees the dialog first.
  void Import(const QString& file,
              std::function<void(QFileDialog*)> check = nullptr) {
    WhenShown<QFileDialog>([file, check](QFileDialog* dialog) {
      if (check) check(dialog);
      if (file.isEmpty()) {
        dialog->reject();
      } else {
        ChooseFile(dialog, file);
      }
    });
    Button("按钮4")->click();
  }

  // Clicks the removal button and returns the closing message once shown.
  QMessageBox* RemoveRepeats() {
    Button("按钮1")->click();
    return WaitForTopLevel<QMessageBox>();
  }

  TempFolder folder_;
  int website_opened_ = 0;
  std::unique_ptr<DedupWindow> window_;
};

TEST_F(WindowRunsTest, ImportUsesTheOpenDialogAndRemembersTheFile) {
  folder_.Write("a.txt", "a\r\nb\r\n");
  Import(Path("a.txt"), [](QFileDialog* dialog) {
    EXPECT_EQ(dialog->nameFilters(),
              QStringList{QStringLiteral("文本 (*.txt)")});
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
  });
  EXPECT_EQ(Items(), "a|b|");
  EXPECT_EQ(Count(), QStringLiteral("2"));

  QStringList proposed;
  Import(QString(), [&proposed](QFileDialog* dialog) {
    proposed = dialog->selectedFiles();
  });
  EXPECT_EQ(proposed, QStringList{Path("a.txt")});
  EXPECT_EQ(Items(), "a|b|");  // cancelled: nothing added
  EXPECT_EQ(Count(), QStringLiteral("2"));
}

TEST_F(WindowRunsTest, ImportOfAZeroByteFileIsRefusedWithAMessage) {
  folder_.Write("wide.txt", std::string("\xFF\xFE"
                                        "a\0",
                                        4));
  Import(Path("wide.txt"));
  QMessageBox* box = WaitForTopLevel<QMessageBox>();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->text().contains(QStringLiteral("936")));
  EXPECT_TRUE(box->text().contains(Path("wide.txt")));
  EXPECT_EQ(Items(), "");
  EXPECT_EQ(Count(), QStringLiteral("0"));
  box->close();
}

TEST_F(WindowRunsTest, RemovalEndsWithAnOwnerlessMessageAndWaitsForIt) {
  window_->view()->AppendItems(
      LineList::FromLineFile("a\r\nb\r\na\r\n\r\nc\r\n\r\n"));
  QMessageBox* box = RemoveRepeats();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text(), QStringLiteral("处理完毕！"));
  EXPECT_EQ(box->windowTitle(), QStringLiteral("信息："));
  EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
  EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
  EXPECT_EQ(box->parentWidget(), nullptr);
  EXPECT_EQ(box->windowModality(), Qt::NonModal);
  EXPECT_EQ(Items(), "a|b||c|");
  EXPECT_EQ(Count(), QStringLiteral("4"));

  // The run is still waiting: buttons off, the bar at its last position,
  // and the main window usable.
  QTest::qWait(30);
  EXPECT_TRUE(ActionButtonsEnabled(false));
  EXPECT_EQ(Control<QProgressBar>(*window_, "进度条1")->value(), 4);
  EXPECT_TRUE(window_->isEnabled());
  Button("按钮6")->click();
  EXPECT_EQ(website_opened_, 1);

  box->button(QMessageBox::Ok)->click();
  EXPECT_TRUE(QTest::qWaitFor([this] { return ActionButtonsEnabled(true); }));
  EXPECT_EQ(Control<QProgressBar>(*window_, "进度条1")->value(), 0);
}

TEST_F(WindowRunsTest, LongListsFillTheBarAndLoseNothing) {
  std::string file;
  for (int i = 0; i < 40000; ++i) file += std::to_string(i) + "\r\n";
  folder_.Write("long.txt", file + file);
  Import(Path("long.txt"));
  EXPECT_EQ(Count(), QStringLiteral("80000"));
  QMessageBox* box = RemoveRepeats();
  ASSERT_NE(box, nullptr);
  auto* bar = Control<QProgressBar>(*window_, "进度条1");
  EXPECT_EQ(bar->maximum(), 32767);
  EXPECT_EQ(bar->value(), 32767);
  EXPECT_EQ(Count(), QStringLiteral("40000"));
  EXPECT_EQ(window_->view()->ItemText(39999).bytes(), "39999");
  box->button(QMessageBox::Ok)->click();
  EXPECT_TRUE(QTest::qWaitFor([this] { return ActionButtonsEnabled(true); }));
}

TEST_F(WindowRunsTest, ExportProposesTheSameNameEveryTimeAndWritesExactBytes) {
  window_->view()->AppendItems(LineList::FromLineFile("a\r\n\r\nb\r\n"));
  QDir::setCurrent(QString::fromStdString(folder_.path().string()));
  for (const char* typed : {"first", "second.txt"}) {
    Button("按钮5")->click();
    QFileDialog* dialog = WaitForTopLevel<QFileDialog>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(ActionButtonsEnabled(false));
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->nameFilters(),
              QStringList{QStringLiteral("执行文件 (*.txt)")});
    EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("txt"));
    EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    ASSERT_FALSE(dialog->selectedFiles().isEmpty());
    EXPECT_EQ(QFileInfo(dialog->selectedFiles().first()).fileName(),
              QStringLiteral("去重复.txt"));
    ChooseFile(dialog, Path(typed));
    EXPECT_TRUE(QTest::qWaitFor([this] { return ActionButtonsEnabled(true); }));
  }
  EXPECT_EQ(TempFolder::Read(folder_.path() / "first.txt"), "a\r\n\r\nb\r\n");
  EXPECT_EQ(TempFolder::Read(folder_.path() / "second.txt"), "a\r\n\r\nb\r\n");
  // The bar is reset last, after the buttons.
  EXPECT_TRUE(QTest::qWaitFor([this] {
    return Control<QProgressBar>(*window_, "进度条1")->value() == 0;
  }));
}

TEST_F(WindowRunsTest, ExportAsksBeforeReplacingAFile) {
  window_->view()->AppendItems(LineList::FromLineFile("new\r\n"));
  folder_.Write("old.txt", "old\r\n");
  for (const bool replace : {false, true}) {
    Button("按钮5")->click();
    QFileDialog* dialog = WaitForTopLevel<QFileDialog>();
    ASSERT_NE(dialog, nullptr);
    bool asked = false;
    WhenShown<QMessageBox>([&asked, replace](QMessageBox* question) {
      asked = true;
      question->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    ChooseFile(dialog, Path("old.txt"));
    EXPECT_TRUE(asked);
    if (!replace) {
      // Declining leaves the dialog open; cancelling it writes nothing.
      EXPECT_TRUE(dialog->isVisible());
      EXPECT_EQ(TempFolder::Read(folder_.path() / "old.txt"), "old\r\n");
      dialog->reject();
    }
    EXPECT_TRUE(QTest::qWaitFor([this] { return ActionButtonsEnabled(true); }));
  }
  EXPECT_EQ(TempFolder::Read(folder_.path() / "old.txt"), "new\r\n");
}

TEST_F(WindowRunsTest, SaveDialogRefusesAMissingFolder) {
  Button("按钮5")->click();
  QFileDialog* dialog = WaitForTopLevel<QFileDialog>();
  ASSERT_NE(dialog, nullptr);
  ChooseFile(dialog, Path("missing/out.txt"));
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(std::filesystem::exists(folder_.path() / "missing"));
  dialog->reject();
  EXPECT_TRUE(QTest::qWaitFor([this] { return ActionButtonsEnabled(true); }));
}

TEST_F(WindowRunsTest, ClearEmptiesTheListAndBlanksTheCount) {
  folder_.Write("a.txt", "a\r\n");
  Import(Path("a.txt"));
  EXPECT_EQ(Count(), QStringLiteral("1"));
  Button("按钮7")->click();
  EXPECT_EQ(Items(), "");
  EXPECT_TRUE(Count().isEmpty());
}

TEST_F(WindowRunsTest, ClosingTheWindowReleasesAWaitingRun) {
  window_->view()->AppendItems(LineList::FromLineFile("a\r\na\r\n"));
  ASSERT_NE(RemoveRepeats(), nullptr);
  const std::weak_ptr<DedupView> view = window_->view();
  window_.reset();
  EXPECT_EQ(VisibleTopLevel<QMessageBox>(), nullptr);
  // The worker holds the view until its run is over.
  EXPECT_TRUE(QTest::qWaitFor([&view] { return view.expired(); }));
}

}  // namespace
}  // namespace dedup
