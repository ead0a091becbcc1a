#include "core/text/list_utils.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

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

TEST(SortByLengthTest, StableOnListsLongerThanAnInsertionSortRun) {
  // Member k has length k % 3 + 1 and remembers k, so a reordering of equal
  // lengths shows.
  TextList list;
  for (int k = 0; k < 60; ++k) {
    list.emplace_back(std::string(static_cast<size_t>(k % 3), 'x') +
                      static_cast<char>('A' + k));
  }
  SortByLength(list);
  for (size_t i = 1; i < list.size(); ++i) {
    const AnsiText& a = list[i - 1];
    const AnsiText& b = list[i];
    ASSERT_LE(a.size(), b.size());
    if (a.size() == b.size()) {
      ASSERT_LT(a.byte(a.size() - 1), b.byte(b.size() - 1));
    }
  }
}

TEST(RemoveDuplicatesTest, MatchesLookUpInTheGrowingResult) {
  std::mt19937 rng(15);
  std::uniform_int_distribution<int> size(0, 400);
  std::uniform_int_distribution<int> length(0, 3);
  std::uniform_int_distribution<int> byte(0x7E, 0x82);
  std::uniform_int_distribution<int> number(-20, 20);
  for (int round = 0; round < 300; ++round) {
    TextList texts(static_cast<size_t>(size(rng)));
    NumberList numbers(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
      std::string bytes(static_cast<size_t>(length(rng)), ' ');
      for (char& c : bytes) c = static_cast<char>(byte(rng));
      texts[i] = AnsiText(bytes);
      numbers[i] = number(rng) * 65536;
    }
    TextList expected_texts;
    for (const AnsiText& text : texts) {
      if (IndexOfText(expected_texts, text) == -1) {
        expected_texts.push_back(text);
      }
    }
    NumberList expected_numbers;
    for (std::int32_t n : numbers) {
      if (IndexOfNumber(expected_numbers, n) == -1) {
        expected_numbers.push_back(n);
      }
    }
    ASSERT_EQ(RemoveDuplicates(texts), static_cast<int>(expected_texts.size()));
    ASSERT_EQ(texts, expected_texts);
    ASSERT_EQ(RemoveDuplicates(numbers),
              static_cast<int>(expected_numbers.size()));
    ASSERT_EQ(numbers, expected_numbers);
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
