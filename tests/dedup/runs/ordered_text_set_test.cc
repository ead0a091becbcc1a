#include "dedup/runs/ordered_text_set.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/text/list_utils.h"

namespace dedup {
namespace {

TEST(OrderedTextSetTest, MembershipIsExactBytes) {
  OrderedTextSet set;
  const char* distinct[] = {"a", "A",         "x",  "x ",      "x\t",
                            "",  "\xA1\xA1x", " x", "\xCB\xCE"};
  for (const char* text : distinct) EXPECT_TRUE(set.Add(text)) << text;
  for (const char* text : distinct) EXPECT_FALSE(set.Add(text)) << text;
  ASSERT_EQ(set.size(), std::size(distinct));
  for (std::size_t i = 0; i < set.size(); ++i) {
    EXPECT_EQ(set.members()[i], distinct[i]);
  }
}

// Whatever the collisions and however often the table grows, the members
// are those the shared list de-duplication keeps.
TEST(OrderedTextSetTest, KeepsWhatRemoveDuplicatesKeeps) {
  std::mt19937 random(11);
  for (const int size : {0, 1, 17, 300, 5000}) {
    core::TextList texts;
    for (int i = 0; i < size; ++i) {
      texts.push_back(std::string(random() % 3, 'a') +
                      std::to_string(random() % (size / 3 + 1)));
    }
    OrderedTextSet set;  // no size hint, so the table has to grow
    for (const core::AnsiText& text : texts) set.Add(text.view());
    core::RemoveDuplicates(texts);
    const LineList members = set.TakeMembers();
    ASSERT_EQ(members.size(), texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
      ASSERT_EQ(members[i], texts[i].view());
    }
    EXPECT_EQ(set.size(), 0u);
  }
}

}  // namespace
}  // namespace dedup
