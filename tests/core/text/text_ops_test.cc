#include "core/text/text_ops.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace core {
namespace {

// A lead byte (>= 0x80) and the byte after it are one unit for searching;
// "\xD6\xD0" is a 2-byte character.
constexpr const char* kZhong = "\xD6\xD0";
constexpr const char* kFullWidthSpace = "\xA1\xA1";

TEST(CompareTextTest, UnsignedBytesAndPrefixFirst) {
  EXPECT_EQ(CompareText(AnsiText(), ""), 0);
  EXPECT_EQ(CompareText("\x80", "z"), 1);
  EXPECT_EQ(CompareText("z", "\x80"), -1);
  EXPECT_EQ(CompareText("ab", "abc"), -1);
  EXPECT_EQ(CompareText("a", AnsiText()), 1);
  EXPECT_EQ(CompareText("abc", "abc"), 0);
}

struct FindCase {
  const char* text;
  const char* sought;
  int start;
  bool case_sensitive;
  int expected;
};

TEST(FindTextTest, EdgeCases) {
  const FindCase cases[] = {
      {"abcabc", "c", 4, true, 6},
      {"abcabc", "c", 7, true, -1},
      {"abcabc", "c", -5, true, 3},
      {"abcabc", "c", INT_MIN, true, 3},
      {"abcabc", "c", INT_MAX, true, -1},
      // The empty sought text finds position 1, not the start.
      {"abc", "", 3, true, 1},
      {"abc", "", 4, true, -1},
      {"", "", 1, true, -1},
      {"ABC", "b", 1, false, 2},
      {"ABC", "b", 1, true, -1},
      {"xYz", "XyZ", 1, false, 1},
      // 0x80 leads a unit, so its 'A' is never a unit start.
      {"\x80"
       "A",
       "A", 1, true, -1},
      {"\xD6"
       "A",
       "A", 1, false, -1},
      // Folding stops at ASCII letters: the second byte of a unit and
      // every byte >= 0x80 compare exactly.
      {"\xD6"
       "a",
       "\xD6"
       "A",
       1, false, -1},
      {"\xD6"
       "a",
       "\xD6"
       "a",
       1, false, 1},
      // Scanning restarts at the start byte, even inside a 2-byte character.
      {"\xD6"
       "A",
       "A", 2, true, 2},
      // A dangling lead byte is a unit start of its own.
      {"ab\xD6", "\xD6", 1, true, 3},
      {"ab", "abc", 1, true, -1},
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(FindText(c.text, c.sought, c.start, c.case_sensitive), c.expected)
        << "text '" << c.text << "' sought '" << c.sought << "' start "
        << c.start;
  }
}

struct ReplaceCase {
  std::string text;
  std::string sought;
  std::string replacement;
  int start;
  int count;
  bool case_sensitive;
  std::string expected;
};

TEST(ReplaceTextTest, EdgeCases) {
  const ReplaceCase cases[] = {
      {"a-b-c", "-", "", 1, kEveryOccurrence, true, "abc"},
      {"a-b-c", "-", "", 1, 1, true, "ab-c"},
      {"a-b-c", "-", "", 3, kEveryOccurrence, true, "a-bc"},
      {"a-b-c", "-", "", 1, -7, true, "abc"},
      {"a-b-c", "-", "", 1, 0, true, "a-b-c"},
      {"a-b-c", "", "x", 1, kEveryOccurrence, true, "a-b-c"},
      {"a-b-c", "-", "", 6, kEveryOccurrence, true, "a-b-c"},
      {"a-b-c", "-", "", INT_MIN, kEveryOccurrence, true, "abc"},
      {"", "-", "x", 1, kEveryOccurrence, true, ""},
      // Occurrences never overlap.
      {"aaaa", "aa", "b", 1, kEveryOccurrence, true, "bb"},
      {"aaa", "aa", "b", 1, kEveryOccurrence, true, "ba"},
      {"aXa", "x", "-", 1, kEveryOccurrence, false, "a-a"},
      {"aXa", "x", "-", 1, kEveryOccurrence, true, "aXa"},
      {"abc", "b", "\xD6\xD0", 1, kEveryOccurrence, true,
       "a\xD6\xD0"
       "c"},
      // The second byte 0x5C of a 2-byte character is not a backslash.
      {"\x81\\a\\", "\\", "", 1, kEveryOccurrence, true, "\x81\\a"},
      // A dangling lead byte goes only when a one-byte search walks onto it.
      {"ab\xD6", "-", "", 1, kEveryOccurrence, true, "ab"},
      {"ab\xD6", "\xD6", "x", 1, kEveryOccurrence, true, "abx"},
      {"ab\xD6", "bc", "", 1, kEveryOccurrence, true, "ab\xD6"},
      // Once the count is spent the rest is copied as it stands.
      {"a-b\xD6", "-", "", 1, 1, true, "ab\xD6"},
  };
  for (const ReplaceCase& c : cases) {
    EXPECT_EQ(ReplaceText(c.text, c.sought, c.replacement, c.start, c.count,
                          c.case_sensitive)
                  .bytes(),
              c.expected)
        << "text '" << c.text << "' sought '" << c.sought << "' start "
        << c.start << " count " << c.count;
  }
}

TEST(ReplaceTextTest, DefaultsReplaceEveryOccurrenceWithNothing) {
  EXPECT_EQ(ReplaceText("a-b-c", "-").bytes(), "abc");
}

struct SplitCase {
  std::string text;
  std::string delimiter;
  std::optional<int> max_pieces;
  std::vector<std::string> expected;
};

TEST(SplitTextTest, EdgeCases) {
  const SplitCase cases[] = {
      {"a,,b,", ",", std::nullopt, {"a", "", "b"}},
      {",a", ",", std::nullopt, {"", "a"}},
      {"", ",", std::nullopt, {}},
      {"", "", std::nullopt, {}},
      {"a,b", "", std::nullopt, {"a,b"}},
      {"a,b", ",", 0, {}},
      {"a,b", ",", -3, {}},
      {"a,b,c", ",", 2, {"a", "b"}},
      {"a,b", ",", 1, {"a"}},
      {"abc", ",", 1, {"abc"}},
      {"a::b", "::", std::nullopt, {"a", "b"}},
      // The delimiter is matched only at unit starts.
      {"\x81,a,b", ",", std::nullopt, {"\x81,a", "b"}},
      {"a,\xD6", ",", std::nullopt, {"a", "\xD6"}},
  };
  for (const SplitCase& c : cases) {
    const TextList pieces = SplitText(c.text, c.delimiter, c.max_pieces);
    std::vector<std::string> got;
    for (const AnsiText& piece : pieces) got.push_back(piece.bytes());
    EXPECT_EQ(got, c.expected) << "text '" << c.text << "'";
  }
  EXPECT_EQ(SplitText("x,y").size(), 2u);
}

TEST(SubTextTest, ByteCountsAndRanges) {
  EXPECT_EQ(LeftText("abc", 5).bytes(), "abc");
  EXPECT_EQ(LeftText("abc", 0).bytes(), "");
  EXPECT_EQ(LeftText("abc", -1).bytes(), "");
  EXPECT_EQ(LeftText(kZhong, 1).bytes(), "\xD6");
  EXPECT_EQ(RightText("abc", 2).bytes(), "bc");
  EXPECT_EQ(RightText("abc", INT_MAX).bytes(), "abc");
  EXPECT_EQ(RightText("abc", -2).bytes(), "");
  EXPECT_EQ(RightText(kZhong, 1).bytes(), "\xD0");
  EXPECT_EQ(MidText("abc", 0, 1).bytes(), "");
  EXPECT_EQ(MidText("abc", 2, 10).bytes(), "bc");
  EXPECT_EQ(MidText("abc", 2, INT_MAX).bytes(), "bc");
  EXPECT_EQ(MidText("abc", 3, 1).bytes(), "c");
  EXPECT_EQ(MidText("abc", 4, 1).bytes(), "");
  EXPECT_EQ(MidText("abc", 1, 0).bytes(), "");
}

TEST(SpacesTest, TrimAndRemove) {
  const std::string fw = kFullWidthSpace;
  EXPECT_EQ(TrimSpaces(fw + " a b " + fw + " ").bytes(), "a b");
  EXPECT_EQ(TrimSpaces("\t a \t").bytes(), "\t a \t");
  EXPECT_EQ(TrimSpaces(fw + "  " + fw).bytes(), "");
  EXPECT_EQ(TrimSpaces("").bytes(), "");
  EXPECT_EQ(TrimSpaces("\r\nx\r\n").bytes(), "\r\nx\r\n");
  EXPECT_EQ(TrimSpaces("ab\xD6").bytes(), "ab");
  // 0xA1 0xA1 is a space only as a unit of its own: here the first 0xA1
  // closes a character and the second is a dangling lead byte.
  EXPECT_EQ(TrimSpaces("\xD6\xA1\xA1").bytes(), "\xD6\xA1");
  EXPECT_EQ(TrimSpaces(std::string(" ") + kZhong + " ").bytes(), kZhong);

  EXPECT_EQ(RemoveSpaces("a b" + fw + "c").bytes(), "abc");
  EXPECT_EQ(RemoveSpaces("a\tb").bytes(), "a\tb");
  // 0xA1 leads a unit that swallows the ASCII space after it.
  EXPECT_EQ(RemoveSpaces("\xD6\xA1\xA1 x\xD6").bytes(), "\xD6\xA1\xA1 x");
}

TEST(NumberToTextTest, Formats) {
  EXPECT_EQ(NumberToText(-5).bytes(), "-5");
  EXPECT_EQ(NumberToText(INT32_MIN).bytes(), "-2147483648");
  EXPECT_EQ(NumberToText(std::uint8_t{255}).bytes(), "255");
  EXPECT_EQ(NumberToText(std::int64_t{-9000000000}).bytes(), "-9000000000");
  // "%.13g": at most 13 significant digits, exponent below -4 or >= 13.
  const std::pair<double, const char*> doubles[] = {
      {0.1 + 0.2, "0.3"},
      {100.0, "100"},
      {33.33, "33.33"},
      {1e15, "1e+15"},
      {1234567890123.0, "1234567890123"},
      {12345678901234.0, "1.234567890123e+13"},
      {0.0001, "0.0001"},
      {0.00001, "1e-05"},
      {-2.5, "-2.5"},
      {0.0, "0"},
      {2.0 / 3.0, "0.6666666666667"},
  };
  for (const auto& [value, expected] : doubles) {
    EXPECT_EQ(NumberToText(value).bytes(), expected) << value;
  }
  EXPECT_EQ(NumberToText(0.1f + 0.2f).bytes(), "0.3");
  EXPECT_EQ(NumberToText(1234567.0f).bytes(), "1.23457e+06");
}

TEST(RoundNumberTest, HalfAwayFromZeroWithNudge) {
  struct Case {
    double x;
    int decimals;
    double expected;
  };
  const Case cases[] = {
      // 1.005 * 100 is just below 100.5; the 1e-12 nudge lifts it.
      {1.005, 2, 1.01},     {-1.5, 0, -2.0},        {2.5, 0, 3.0},
      {2.4999, 0, 2.0},     {33.3333, 2, 33.33},    {-33.335, 2, -33.34},
      {1250.0, -2, 1300.0}, {-1249.0, -2, -1200.0}, {0.5, 400, 0.5},
      {1.5, -400, 0.0},     {1e300, 200, 1e300},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(RoundNumber(c.x, c.decimals), c.expected)
        << c.x << " to " << c.decimals;
  }
  EXPECT_EQ(RoundNumber(0.0, 2), 0.0);
  EXPECT_TRUE(std::isnan(RoundNumber(std::nan(""), 2)));
  EXPECT_EQ(RoundNumber(std::numeric_limits<double>::infinity(), 2),
            std::numeric_limits<double>::infinity());
  EXPECT_EQ(RoundNumber(1.5, INT_MIN), 0.0);
  EXPECT_EQ(RoundNumber(1.5, INT_MAX), 1.5);
}

TEST(BytesTest, ConversionsAndMid) {
  EXPECT_EQ(BytesToText(ByteBuffer{'a', 'b', 0, 'c'}).bytes(), "ab");
  EXPECT_EQ(BytesToText(ByteBuffer{}).bytes(), "");
  EXPECT_EQ(TextToBytes("a\xD6"), (ByteBuffer{'a', 0xD6}));
  EXPECT_TRUE(TextToBytes(AnsiText()).empty());

  const ByteBuffer buffer{1, 0, 3, 4};
  EXPECT_EQ(BytesMid(buffer, -3, 2), (ByteBuffer{1, 0}));
  EXPECT_EQ(BytesMid(buffer, 2, 10), (ByteBuffer{0, 3, 4}));
  EXPECT_EQ(BytesMid(buffer, 2, INT_MAX), (ByteBuffer{0, 3, 4}));
  EXPECT_EQ(BytesMid(buffer, 5, 1), ByteBuffer{});
  EXPECT_EQ(BytesMid(buffer, 1, -1), ByteBuffer{});
  EXPECT_EQ(BytesMid(buffer, INT_MIN, 1), (ByteBuffer{1}));
}

}  // namespace
}  // namespace core
