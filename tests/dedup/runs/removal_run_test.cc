#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dedup/runs/runs.h"
#include "tests/dedup/runs/fake_view.h"

namespace dedup {
namespace {

using Items = std::vector<std::string>;

TEST(RemovalRunTest, FollowsTheVisibleStepsInOrder) {
  FakeView view({"a", "b", "a", "", "c", ""});
  RemovalRun(view);
  EXPECT_EQ(view.items(), (Items{"a", "b", "", "c"}));
  EXPECT_EQ(
      view.Folded(),
      (std::vector<std::string>{
          "disable 按钮1", "disable 按钮7", "disable 按钮5", "disable 按钮4",
          "max 6", "pos 5", "pos 0", "max 4", "clear", "append 4", "pos 4",
          "count 4", "message 信息： 处理完毕！", "pos 0", "enable 按钮1",
          "enable 按钮7", "enable 按钮5", "enable 按钮4"}));
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].kind, Message::Kind::kPlain);
}

TEST(RemovalRunTest, KeepsFirstOccurrencesByExactBytes) {
  struct Case {
    Items before;
    Items after;
  };
  const Case cases[] = {
      {{"A", "a", "x", "x ", "line", "line\t", "x", "a"},
       {"A", "a", "x", "x ", "line", "line\t"}},
      {{"c", "b", "a"}, {"c", "b", "a"}},
      {{"\xA1\xA1", " ", "\xA1\xA1"}, {"\xA1\xA1", " "}},
      {{"", "", ""}, {""}},
  };
  for (const Case& c : cases) {
    FakeView view(c.before);
    RemovalRun(view);
    EXPECT_EQ(view.items(), c.after);
    EXPECT_EQ(view.count_caption, std::to_string(c.after.size()));
  }
}

TEST(RemovalRunTest, ThousandIdenticalLinesBecomeOne) {
  FakeView view(Items(1000, "same"));
  RemovalRun(view);
  EXPECT_EQ(view.items(), Items{"same"});
  const std::vector<std::string> folded = view.Folded();
  const std::vector<std::string> passes(folded.begin() + 4,
                                        folded.begin() + 11);
  EXPECT_EQ(passes,
            (std::vector<std::string>{"max 1000", "pos 999", "pos 0", "max 1",
                                      "clear", "append 1", "pos 1"}));
}

TEST(RemovalRunTest, EmptyListStillRunsEveryStep) {
  FakeView view;
  RemovalRun(view);
  EXPECT_TRUE(view.items().empty());
  EXPECT_EQ(view.count_caption, "0");
  EXPECT_EQ(view.Folded(),
            (std::vector<std::string>{
                "disable 按钮1", "disable 按钮7", "disable 按钮5",
                "disable 按钮4", "max 0", "pos 0", "max 0", "clear", "append 0",
                "count 0", "message 信息： 处理完毕！", "pos 0", "enable 按钮1",
                "enable 按钮7", "enable 按钮5", "enable 按钮4"}));
}

TEST(RemovalRunTest, ButtonsStayDisabledWhileTheMessageIsOpen) {
  FakeView view({"a", "a"});
  bool checked = false;
  view.on_message = [&](const Message&) {
    checked = true;
    EXPECT_TRUE(view.AllActionButtonsDisabled());
    EXPECT_EQ(view.log.back(), "message 信息： 处理完毕！");
    EXPECT_EQ(view.log[view.log.size() - 3], "pos 1");  // the bar stays at m
  };
  RemovalRun(view);
  EXPECT_TRUE(checked);
  EXPECT_EQ(view.log.back(), "enable 按钮4");
}

TEST(RemovalRunTest, ProcessesEveryItemOfALongListWithFewReports) {
  Items before;
  for (int i = 0; i < 100000; ++i) before.push_back(std::to_string(i % 60000));
  FakeView view(before);
  RemovalRun(view);
  const Items after = view.items();
  ASSERT_EQ(after.size(), 60000u);
  EXPECT_EQ(after.front(), "0");
  EXPECT_EQ(after.back(), "59999");
  EXPECT_EQ(view.count_caption, "60000");
  // The values go to the view as they are; the bar holds them in range.
  const std::vector<std::string> folded = view.Folded();
  EXPECT_EQ(folded[4], "max 100000");
  EXPECT_EQ(folded[5], "pos 99999");
  EXPECT_EQ(folded[7], "max 60000");
  EXPECT_EQ(folded[10], "pos 60000");
  EXPECT_LT(view.PositionReports(), 1000);
}

}  // namespace
}  // namespace dedup
