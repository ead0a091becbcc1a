#include "platform/codepage/code_page.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace platform {
namespace {

struct CaseName {
  template <typename Info>
  std::string operator()(const Info& case_info) const {
    return case_info.param.name;
  }
};

struct DecodeCase {
  const char* name;
  std::string bytes;
  std::u16string wide;
};

// Names the case in failure messages and test lists instead of its bytes.
void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class Decode936Test : public testing::TestWithParam<DecodeCase> {};

TEST_P(Decode936Test, GivesTheUnits) {
  EXPECT_EQ(MultiByteToWide(936, GetParam().bytes), GetParam().wide);
  EXPECT_EQ(MultiByteToWide(0, GetParam().bytes), GetParam().wide);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Decode936Test,
    testing::Values(DecodeCase{"Pair", "\xD6\xD0", u"\u4E2D"},
                    DecodeCase{"EuroSign", "\x80", u"\u20AC"},
                    DecodeCase{"ByteFF", "\xFF", u"\uF8F5"},
                    DecodeCase{"UserDefinedAreaFirst", "\xAA\xA1", u"\uE000"},
                    DecodeCase{"UserDefinedAreaLast", "\xFE\xA0", u"\uE864"},
                    DecodeCase{"DanglingLeadByte", "a\xD6", u"a?"},
                    // A byte that cannot end a pair survives on its own.
                    DecodeCase{"DigitAfterLead", "\xD6\x30", u"?0"},
                    DecodeCase{"LineFeedAfterLead", "\xD6\n", u"?\n"},
                    DecodeCase{"DeleteAfterLead", "\x81\x7F", u"?\u007F"},
                    DecodeCase{"ByteFFAfterLead", "\x81\xFF", u"?\uF8F5"},
                    DecodeCase{"ZeroAfterLead", std::string("\xD6\0", 2),
                               std::u16string(u"?\0", 2)},
                    DecodeCase{"LeadAfterLead", "\xD6\xD6\xD0", u"\u79CD?"},
                    DecodeCase{"TrailByte80", "\x81\x80", u"\u4E90"}),
    CaseName());

struct EncodeCase {
  const char* name;
  std::u16string wide;
  std::string bytes;
};

void PrintTo(const EncodeCase& c, std::ostream* os) { *os << c.name; }

class Encode936Test : public testing::TestWithParam<EncodeCase> {};

TEST_P(Encode936Test, GivesTheBytes) {
  EXPECT_EQ(WideToMultiByte(936, GetParam().wide), GetParam().bytes);
  EXPECT_EQ(WideToMultiByte(0, GetParam().wide), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Encode936Test,
    testing::Values(EncodeCase{"Pair", u"\u4E2D", "\xD6\xD0"},
                    EncodeCase{"EuroSign", u"\u20AC", "\x80"},
                    EncodeCase{"PrivateUseF8F5", u"\uF8F5", "\xFF"},
                    EncodeCase{"UserDefinedArea", u"\uE000\uE864",
                               "\xAA\xA1\xFE\xA0"},
                    EncodeCase{"BestFitToPair", u"\u00A5", "\xA3\xA4"},
                    EncodeCase{"BestFitToAscii", u"\u00AA\u00B2", "a2"},
                    EncodeCase{"Missing", u"x\u0E01y", "x?y"},
                    EncodeCase{"Replacement", u"\uFFFD", "?"},
                    EncodeCase{"OutsideBmp", u"a\U0001F600b", "a??b"},
                    EncodeCase{"LoneSurrogates", u"\xD800-\xDC00", "?-?"},
                    EncodeCase{"ZeroUnit", std::u16string(u"a\0b", 3),
                               std::string("a\0b", 3)}),
    CaseName());

class DecodeUtf8Test : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeUtf8Test, GivesTheUnits) {
  EXPECT_EQ(MultiByteToWide(65001, GetParam().bytes), GetParam().wide);
}

// Every ill-formed stretch gives one U+FFFD per maximal subpart.
INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeUtf8Test,
    testing::Values(
        DecodeCase{"Ascii", "a\x7F", u"a\x7F"},
        DecodeCase{"TwoBytes", "\xC2\xA9", u"\u00A9"},
        DecodeCase{"ThreeBytes", "\xE4\xB8\xAD", u"\u4E2D"},
        DecodeCase{"FourBytes", "\xF0\x9F\x98\x80", u"\U0001F600"},
        DecodeCase{"HighestCodePoint", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
        DecodeCase{"ByteOrderMarkKept",
                   "\xEF\xBB\xBF"
                   "a",
                   u"\uFEFFa"},
        DecodeCase{"LoneContinuation", "\x80\xBF", u"\uFFFD\uFFFD"},
        DecodeCase{"OverlongTwoBytes", "\xC0\xAF", u"\uFFFD\uFFFD"},
        DecodeCase{"OverlongThreeBytes", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
        DecodeCase{"EncodedSurrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        DecodeCase{"AboveMaximum", "\xF4\x90\x80\x80",
                   u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        DecodeCase{"FiveByteForm", "\xF8\x88\x80\x80\x80",
                   u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
        DecodeCase{"TruncatedAtEnd", "a\xE4\xB8", u"a\uFFFD"},
        DecodeCase{"TruncatedFourBytes",
                   "\xF0\x9F\x98"
                   "b",
                   u"\uFFFDb"},
        DecodeCase{"TruncatedThenAscii",
                   "\xE4\xB8"
                   "a",
                   u"\uFFFDa"},
        DecodeCase{"TruncatedThenLead", "\xE4\xE4\xB8\xAD", u"\uFFFD\u4E2D"},
        DecodeCase{"MixedExample",
                   "a\xF1\x80\x80\xE1\x80\xC2"
                   "b\x80"
                   "c\x80\xBF"
                   "d",
                   u"a\uFFFD\uFFFD\uFFFDb\uFFFDc\uFFFD\uFFFDd"},
        DecodeCase{"ZeroByte", std::string("a\0b", 3),
                   std::u16string(u"a\0b", 3)}),
    CaseName());

TEST(EncodeUtf8Test, WritesPairsAndReplacesLoneSurrogates) {
  EXPECT_EQ(WideToMultiByte(65001, u"a\u00A9\u4E2D\U0001F600"),
            "a\xC2\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80");
  EXPECT_EQ(WideToMultiByte(65001,
                            u"\xD83D"
                            "a"),
            "\xEF\xBF\xBD"
            "a");
  EXPECT_EQ(WideToMultiByte(65001, u"\xDE00\xD83D"),
            "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(WideToMultiByte(65001, u"\uFFFF"), "\xEF\xBF\xBF");
}

TEST(CodePageTest, UnsupportedCodePagesGiveEmptyResults) {
  for (const int code_page : {1, 437, 1252, 54936, -1}) {
    EXPECT_FALSE(IsSupportedCodePage(code_page)) << code_page;
    EXPECT_EQ(MultiByteToWide(code_page, "abc"), u"") << code_page;
    EXPECT_EQ(WideToMultiByte(code_page, u"abc"), "") << code_page;
    EXPECT_EQ(ConvertCodePage(code_page, 936, "abc"), "") << code_page;
    EXPECT_EQ(ConvertCodePage(65001, code_page, "abc"), "") << code_page;
  }
  for (const int code_page : {0, 936, 65001}) {
    EXPECT_TRUE(IsSupportedCodePage(code_page)) << code_page;
  }
}

// Every pair that is not a mapped code must leave its second byte intact,
// and every unit must encode to bytes that are either '?' or decode back.
TEST(CodePageTest, EveryCodeAndUnitIsAccountedFor) {
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0; trail <= 0xFF; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      const std::u16string wide = MultiByteToWide(936, pair);
      const bool is_trail = trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
      if (is_trail) {
        ASSERT_EQ(wide.size(), 1u) << lead << " " << trail;
        EXPECT_EQ(WideToMultiByte(936, wide), pair) << lead << " " << trail;
      } else {
        ASSERT_EQ(wide.size(), 2u) << lead << " " << trail;
        EXPECT_EQ(wide[0], u'?');
        EXPECT_EQ(wide[1], MultiByteToWide(936, pair.substr(1))[0]);
      }
    }
  }
  for (int u = 0; u <= 0xFFFF; ++u) {
    const std::u16string unit(1, static_cast<char16_t>(u));
    const std::string bytes = WideToMultiByte(936, unit);
    ASSERT_TRUE(bytes.size() == 1 || bytes.size() == 2) << u;
    if (bytes != "?") {
      const std::string again =
          WideToMultiByte(936, MultiByteToWide(936, bytes));
      EXPECT_EQ(again, bytes) << u;
    }
  }
}

// Random mixtures of valid and broken UTF-8 around the eight-byte ASCII
// steps and the inline three-byte reading of the direct path.
std::string RandomUtf8Ish(std::mt19937& random) {
  static const std::vector<std::string> kPieces = {"a",
                                                   "0123456789abcdef",
                                                   "\n",
                                                   "\xC2\xA9",
                                                   "\xE4\xB8\xAD",
                                                   "\xE9\xBE\xA5",
                                                   "\xEF\xBF\xBD",
                                                   "\xEE\x80\x80",
                                                   "\xEF\xA3\xB5",
                                                   "\xE2\x82\xAC",
                                                   "\xF0\x9F\x98\x80",
                                                   "\xED\x9F\xBF",
                                                   "\xED\xA0\x80",
                                                   "\xE0\xA0\x80",
                                                   "\xE0\x80\x80",
                                                   "\xF4\x90\x80\x80",
                                                   "\xE4\xB8",
                                                   "\xF0\x9F",
                                                   "\x80",
                                                   "\xFF",
                                                   "\xC0\xAF",
                                                   "\xC2",
                                                   "\xE1",
                                                   "\xF8\x88"};
  std::uniform_int_distribution<size_t> piece(0, kPieces.size() - 1);
  std::uniform_int_distribution<int> byte(1, 255);
  std::uniform_int_distribution<int> count(0, 40);
  std::string text;
  for (int n = count(random); n > 0; --n) {
    if (n % 7 == 0) {
      text.push_back(static_cast<char>(byte(random)));
    } else {
      text += kPieces[piece(random)];
    }
  }
  return text;
}

TEST(ConvertCodePageTest, DirectPathMatchesTheTwoSteps) {
  std::mt19937 random(20261211);
  for (int round = 0; round < 20000; ++round) {
    const std::string text = RandomUtf8Ish(random);
    ASSERT_EQ(ConvertCodePage(65001, 936, text),
              WideToMultiByte(936, MultiByteToWide(65001, text)))
        << testing::PrintToString(text);
  }
  // Every BMP character, whole and cut short after each byte.
  for (char32_t u = 1; u <= 0xFFFF; ++u) {
    const std::string whole = WideToMultiByte(65001, std::u16string(1, u));
    for (size_t n = 1; n <= whole.size(); ++n) {
      const std::string text = "ab" + whole.substr(0, n) + "c";
      ASSERT_EQ(ConvertCodePage(65001, 0, text),
                WideToMultiByte(0, MultiByteToWide(65001, text)))
          << static_cast<int>(u);
    }
  }
}

TEST(ConvertCodePageTest, OtherDirectionsTakeTheTwoSteps) {
  EXPECT_EQ(ConvertCodePage(936, 65001, "\xD6\xD0\xD6"), "\xE4\xB8\xAD?");
  EXPECT_EQ(ConvertCodePage(65001, 65001,
                            "\xC0"
                            "a"),
            "\xEF\xBF\xBD"
            "a");
  EXPECT_EQ(ConvertCodePage(936, 936, "\x81\x30"), "?0");
}

TEST(ConvertCodePageTest, ThreadsConvertingAtOnceAgree) {
  std::string utf8;
  for (int i = 0; i < 2000; ++i)
    utf8 += "\xE4\xB8\xAD\xE6\x96\x87 text \xF0\x9F\x98\x80";
  const std::string ansi = ConvertCodePage(65001, 936, utf8);
  const std::string back = ConvertCodePage(936, 65001, ansi);
  std::vector<int> failures(4, 0);
  std::vector<std::thread> threads;
  for (size_t t = 0; t < failures.size(); ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 50; ++round) {
        if (ConvertCodePage(65001, 936, utf8) != ansi) ++failures[t];
        if (ConvertCodePage(936, 65001, ansi) != back) ++failures[t];
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (const int failed : failures) EXPECT_EQ(failed, 0);
}

}  // namespace
}  // namespace platform
