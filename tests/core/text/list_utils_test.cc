#include "core/text/list_utils.h"

#include <gtest/gtest.h>

namespace core {
namespace {

TEST(SortByLengthTest, StableAscendingByBytes) {
  TextList list = {"ccc", "a", "bb", "d"};
  SortByLength(list);
  EXPECT_EQ(list, (TextList{"a", "d", "bb", "ccc"}));

  // Equal byte lengths keep their order; a 2-byte character counts 2.
  list = {"ab", "\xD6\xD0", "x"};
  SortByLength(list);
  EXPECT_EQ(list, (TextList{"x", "ab", "\xD6\xD0"}));
  list = {"\xD6\xD0", "ab"};
  SortByLength(list);
  EXPECT_EQ(list, (TextList{"\xD6\xD0", "ab"}));
  list = {"\xD6\xD0\xCE\xC4\xD6\xD0", "abcde"};
  SortByLength(list);
  EXPECT_EQ(list, (TextList{"abcde", "\xD6\xD0\xCE\xC4\xD6\xD0"}));

  for (TextList small : {TextList{}, TextList{"only"}}) {
    const TextList before = small;
    SortByLength(small);
    EXPECT_EQ(small, before);
  }
}

TEST(RemoveDuplicatesTest, TextModeKeepsFirstOccurrencesInOrder) {
  TextList list = {"a", "b", "a", "", "c", ""};
  EXPECT_EQ(RemoveDuplicates(list), 4);
  EXPECT_EQ(list, (TextList{"a", "b", "", "c"}));

  list = {"A", "a", "\xD6\xD0", "\xD6\xD0", "A"};
  EXPECT_EQ(RemoveDuplicates(list), 3);
  EXPECT_EQ(list, (TextList{"A", "a", "\xD6\xD0"}));

  list = {};
  EXPECT_EQ(RemoveDuplicates(list), 0);
}

TEST(RemoveDuplicatesTest, NumberModeAndWhichListIsWorkedOn) {
  NumberList numbers = {3, 1, 3, 2, 1};
  EXPECT_EQ(RemoveDuplicates(numbers), 3);
  EXPECT_EQ(numbers, (NumberList{3, 1, 2}));

  numbers = {5, 5, INT32_MIN, INT32_MIN};
  EXPECT_EQ(RemoveDuplicates(nullptr, &numbers), 2);
  EXPECT_EQ(numbers, (NumberList{5, INT32_MIN}));

  // With both given only the text list changes.
  TextList texts = {"x", "x", "y"};
  numbers = {1, 1};
  EXPECT_EQ(RemoveDuplicates(&texts, &numbers), 2);
  EXPECT_EQ(texts, (TextList{"x", "y"}));
  EXPECT_EQ(numbers, (NumberList{1, 1}));

  EXPECT_EQ(RemoveDuplicates(nullptr, nullptr), 0);
}

TEST(IndexOfTest, FirstEqualMemberFromOne) {
  const TextList texts = {"a", "", "b", ""};
  EXPECT_EQ(IndexOfText(texts, ""), 2);
  EXPECT_EQ(IndexOfText(texts, AnsiText()), 2);
  EXPECT_EQ(IndexOfText(texts, "b"), 3);
  EXPECT_EQ(IndexOfText(texts, "B"), -1);
  EXPECT_EQ(IndexOfText({}, "x"), -1);

  const NumberList numbers = {7, -1, 7};
  EXPECT_EQ(IndexOfNumber(numbers, 7), 1);
  EXPECT_EQ(IndexOfNumber(numbers, -1), 2);
  EXPECT_EQ(IndexOfNumber(numbers, 0), -1);
  EXPECT_EQ(IndexOfNumber({}, 0), -1);
}

}  // namespace
}  // namespace core
