// A whole check driven from its worker thread through the real window, with
// a fragment source the test holds at each segment.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

#include "checker_ui/article_editor.h"
#include "checker_ui/checker_window.h"
#include "checker_ui/result_grid.h"
#include "core/check/check_run.h"
#include "window_testing.h"

namespace checker_ui {
namespace {

using testing::Find;
using testing::SpinUntil;

// 80 characters without anything the cleaning removes: segments of 36, 36
// and 8 characters.
const QString kArticle = QString::fromUtf8(
    "我家门前有一条小河河水清清的每天早上都有很多孩子在河边玩耍他们有的捉鱼"
    "有的唱歌还有的坐在石头上看书傍晚大人们下班回来也喜欢沿着河岸散步聊天说"
    "说一天里遇到的新鲜事");

// Answers segment k only once the test has released k segments.
class HeldSource {
 public:
  explicit HeldSource(std::vector<core::TextList> answers)
      : answers_(std::move(answers)) {}

  bool operator()(const core::AnsiText& segment, core::TextList& fragments) {
    std::unique_lock lock(mutex_);
    segments_.push_back(segment);
    const size_t call = segments_.size() - 1;
    changed_.notify_all();
    changed_.wait(lock, [&] { return released_ > call; });
    if (call < answers_.size()) {
      for (const auto& fragment : answers_[call]) fragments.push_back(fragment);
    }
    return true;
  }

  void Release() {
    std::lock_guard lock(mutex_);
    ++released_;
    changed_.notify_all();
  }
  void ReleaseAll() {
    std::lock_guard lock(mutex_);
    released_ = 1 << 20;
    changed_.notify_all();
  }
  size_t Calls() {
    std::lock_guard lock(mutex_);
    return segments_.size();
  }
  core::AnsiText Segment(size_t call) {
    std::lock_guard lock(mutex_);
    return segments_.at(call);
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<core::TextList> answers_;
  std::vector<core::AnsiText> segments_;
  size_t released_ = 0;
};

class CheckThroughWindowTest : public ::testing::Test {
 protected:
  CheckThroughWindowTest()
      : source_(std::make_shared<HeldSource>(std::vector<core::TextList>{
            {ToAnsi(kArticle.mid(10, 6))}, {}, {ToAnsi(kArticle.mid(72, 8))}})),
        window_(CheckerWindow::Services{
            [source = source_](const core::AnsiText& segment,
                               core::TextList& fragments) {
              return (*source)(segment, fragments);
            },
            [](const std::string&) {}}) {}

  void SetUp() override {
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    window_.editor()->ReplaceText(kArticle);
  }

  void TearDown() override {
    // Never leave a worker held, whatever failed.
    source_->ReleaseAll();
    SpinUntil([&] { return start_->isEnabled(); });
  }

  bool Red(int position) {
    const check::CharFormat format = window_.editor()->FormatAt(position);
    return format.colour == check::kRed && format.size == 12;
  }

  std::shared_ptr<HeldSource> source_;
  CheckerWindow window_;
  QPushButton* start_ = Find<QPushButton>(window_, "按钮3");
  ResultGrid& grid_ = *window_.grid();
};

TEST_F(CheckThroughWindowTest, RowsAppearOneByOneWhileTheWindowStaysUsable) {
  grid_.AppendRow("old");
  QTest::mouseClick(start_, Qt::LeftButton);
  EXPECT_FALSE(start_->isEnabled()) << "disabled before the worker gets going";

  ASSERT_TRUE(SpinUntil([&] { return source_->Calls() == 1; }));
  EXPECT_EQ(source_->Segment(0), ToAnsi(kArticle.left(36)));
  ASSERT_EQ(grid_.RowCount(), 2) << "the old rows are gone";
  EXPECT_EQ(grid_.CellText(1, 0), "1");
  EXPECT_EQ(grid_.CellText(1, 1), kArticle.left(36));
  EXPECT_EQ(grid_.CellText(1, 2), "");

  // The worker is held in its request; the window still answers the user.
  auto* tabs = Find<QTabWidget>(window_, "选择夹1");
  QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier,
                    tabs->tabBar()->tabRect(2).center());
  EXPECT_EQ(tabs->currentIndex(), 2);
  tabs->setCurrentIndex(0);
  EXPECT_FALSE(start_->isEnabled());

  source_->Release();
  ASSERT_TRUE(SpinUntil([&] { return source_->Calls() == 2; }));
  EXPECT_EQ(grid_.CellText(1, 2), "1");
  EXPECT_EQ(grid_.CellTextColour(1, 2), QColor(255, 0, 0));
  EXPECT_TRUE(grid_.CellText(1, 3).startsWith(check::kSearchAddressPrefix));
  EXPECT_EQ(grid_.CellTextColour(1, 3), QColor(0, 0, 255));
  ASSERT_EQ(grid_.RowCount(), 3);
  EXPECT_EQ(grid_.CellText(2, 1), kArticle.mid(36, 36));
  EXPECT_EQ(grid_.CellText(2, 2), "");

  source_->Release();
  ASSERT_TRUE(SpinUntil([&] { return source_->Calls() == 3; }));
  EXPECT_EQ(grid_.CellText(2, 2), "0");
  EXPECT_FALSE(grid_.CellTextColour(2, 2).isValid());
  EXPECT_EQ(grid_.CellText(3, 1), kArticle.mid(72));

  source_->Release();
  ASSERT_TRUE(SpinUntil([&] { return start_->isEnabled(); }));
  EXPECT_EQ(grid_.RowCount(), 4);
  EXPECT_EQ(window_.character_count_box()->text(), "80");
  EXPECT_EQ(window_.rate_box()->text(), "33.33%");
  for (int i = 0; i < kArticle.size(); ++i) {
    EXPECT_EQ(Red(i), (i >= 10 && i < 16) || i >= 72) << i;
  }
}

TEST_F(CheckThroughWindowTest, ClearingDuringTheCheckLeavesNothingToMark) {
  QTest::mouseClick(start_, Qt::LeftButton);
  ASSERT_TRUE(SpinUntil([&] { return source_->Calls() == 1; }));
  QTest::mouseClick(Find<QPushButton>(window_, "按钮2"), Qt::LeftButton);
  source_->ReleaseAll();
  ASSERT_TRUE(SpinUntil([&] { return start_->isEnabled(); }));
  EXPECT_EQ(grid_.RowCount(), 4) << "the rows of the article read at the start";
  EXPECT_EQ(window_.character_count_box()->text(), "0");
  EXPECT_EQ(window_.editor()->Text(), "");
}

}  // namespace
}  // namespace checker_ui
