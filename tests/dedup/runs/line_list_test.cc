#include "dedup/runs/line_list.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/text/text_ops.h"

namespace dedup {
namespace {

std::vector<std::string> Lines(const LineList& list) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < list.size(); ++i) {
    lines.emplace_back(list[i]);
  }
  return lines;
}

struct SplitCase {
  std::string file;
  std::vector<std::string> lines;
};

TEST(LineListTest, OnlyCrLfAtAUnitStartEndsALine) {
  const SplitCase cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"\r\na", {"", "a"}},
      {"a\nb\n", {"a\nb\n"}},
      {"a\rb\r", {"a\rb\r"}},
      {"", {}},
      {"\r\n", {""}},
      {"\r\n\r\n", {"", ""}},
      {"\xCB\xCE\xCC\xE5\r\nx", {"\xCB\xCE\xCC\xE5", "x"}},
      // A lead byte takes the CR after it, so no line ends there.
      {"a\xB0\r\nb", {"a\xB0\r\nb"}},
      {"\xB0\xB0\r\nb", {"\xB0\xB0", "b"}},
      {"x\xB0", {"x\xB0"}},
  };
  for (const SplitCase& c : cases) {
    EXPECT_EQ(Lines(LineList::FromLineFile(c.file)), c.lines)
        << testing::PrintToString(c.file);
  }
}

// The import must cut exactly where the shared text splitter cuts.
TEST(LineListTest, CutsLikeTheTextSplitterOnRandomBytes) {
  std::mt19937 random(7);
  const char alphabet[] = {'a', '\r', '\n', '\xB0', '\xA1', ' '};
  for (int round = 0; round < 2000; ++round) {
    std::string file;
    const int length = static_cast<int>(random() % 24);
    for (int i = 0; i < length; ++i) file += alphabet[random() % 6];
    std::vector<std::string> expected;
    for (const core::AnsiText& piece : core::SplitText(file, "\r\n")) {
      expected.push_back(piece.bytes());
    }
    ASSERT_EQ(Lines(LineList::FromLineFile(file)), expected)
        << testing::PrintToString(file);
  }
}

TEST(LineListTest, LineFileEndsEveryLineWithCrLf) {
  LineList list;
  list.Append("a");
  list.Append("");
  list.Append("b");
  EXPECT_EQ(list.ToLineFile(), "a\r\n\r\nb\r\n");
  EXPECT_EQ(LineList().ToLineFile(), "");
  EXPECT_EQ(LineList::FromLineFile(list.ToLineFile()), list);
}

TEST(LineListTest, AppendingAListKeepsBothInOrder) {
  LineList first = LineList::FromLineFile("a\r\n\r\n");
  first.Append(LineList::FromLineFile("b\r\nc"));
  EXPECT_EQ(Lines(first), (std::vector<std::string>{"a", "", "b", "c"}));
  EXPECT_EQ(first.byte_size(), 3u);
}

}  // namespace
}  // namespace dedup
