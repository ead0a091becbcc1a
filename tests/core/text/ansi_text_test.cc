#include "core/text/ansi_text.h"

#include <gtest/gtest.h>

#include <string>

namespace core {
namespace {

TEST(AnsiTextTest, EveryConstructorStopsAtTheFirstZeroByte) {
  const std::string with_zero("ab\0c", 4);
  EXPECT_EQ(AnsiText(with_zero).bytes(), "ab");
  EXPECT_EQ(AnsiText(std::string_view(with_zero)).bytes(), "ab");
  EXPECT_EQ(AnsiText(std::string(with_zero)).bytes(), "ab");
  EXPECT_EQ(AnsiText(static_cast<const char*>(nullptr)).size(), 0);
}

TEST(AnsiTextTest, AbsentEqualsEmptyAndBytesCompareUnsigned) {
  EXPECT_EQ(AnsiText(), AnsiText(""));
  EXPECT_LT(AnsiText("z"), AnsiText("\x80"));
  EXPECT_LT(AnsiText("ab"), AnsiText("abc"));
  EXPECT_EQ(AnsiText("a") + AnsiText() + "b", AnsiText("ab"));
}

}  // namespace
}  // namespace core
