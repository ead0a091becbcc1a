#include "dedup/runs/progress.h"

#include <gtest/gtest.h>

namespace dedup {
namespace {

TEST(ProgressRangeTest, HoldsValuesWithinWhatTheBarTakes) {
  ProgressRange range;
  EXPECT_EQ(range.maximum(), 100);
  EXPECT_EQ(range.position(), 0);
  range.SetMaximum(40000);
  EXPECT_EQ(range.maximum(), 32767);
  range.SetPosition(50000);
  EXPECT_EQ(range.position(), 32767);
  range.SetMaximum(10);  // a lower maximum drags the position along
  EXPECT_EQ(range.position(), 10);
  range.SetPosition(-3);
  EXPECT_EQ(range.position(), 0);
  range.SetMaximum(-5);
  EXPECT_EQ(range.maximum(), 0);
  range.SetPosition(4);
  EXPECT_EQ(range.position(), 0);
}

}  // namespace
}  // namespace dedup
