#include "checker_cli/article_file.h"

#include <gtest/gtest.h>

#include <string>

#include "checker_cli/json_text.h"

namespace cli {
namespace {

struct DecodeCase {
  const char* name;
  std::string bytes;
  std::string expected;  // code page 936
  bool lost = false;
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class DecodeArticleTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeArticleTest, GivesTheEditorText) {
  const DecodeCase& c = GetParam();
  DecodedArticle article;
  std::string error;
  ASSERT_TRUE(DecodeArticle(c.bytes, article, error)) << error;
  EXPECT_EQ(article.text.bytes(), c.expected);
  EXPECT_EQ(article.lost_characters, c.lost);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DecodeArticleTest,
    ::testing::Values(
        DecodeCase{"Ascii", "abc", "abc"},
        DecodeCase{"Utf8", "\xE4\xB8\xAD\xE6\x96\x87", "\xD6\xD0\xCE\xC4"},
        DecodeCase{"Utf8WithBom", "\xEF\xBB\xBF\xE4\xB8\xAD", "\xD6\xD0"},
        DecodeCase{"BomBeforeAscii",
                   "\xEF\xBB\xBF"
                   "abc",
                   "abc"},
        // Not UTF-8, so already code page 936.
        DecodeCase{"Cp936", "\xD6\xD0\xCE\xC4", "\xD6\xD0\xCE\xC4"},
        DecodeCase{"OverlongIsNotUtf8", "\xC0\xAF", "\xC0\xAF"},
        DecodeCase{"EveryLineBreakBecomesCrLf", "a\r\nb\nc\rd\n\re",
                   "a\r\nb\r\nc\r\nd\r\n\r\ne"},
        DecodeCase{"BreaksInUtf8", "\xE4\xB8\xAD\n\r", "\xD6\xD0\r\n\r\n"},
        // Thai has no code page 936 form.
        DecodeCase{"UnmappableReported", "a\xE0\xB8\x81", "a?", true}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(DecodeArticleTest, RefusesBytesNoTextIsMadeOf) {
  for (const std::string& bytes :
       {std::string("\xFF\xFE"
                    "a\0",
                    4),
        std::string("\xFE\xFF\0a", 4), std::string("ab\0cd", 5)}) {
    DecodedArticle article;
    std::string error;
    EXPECT_FALSE(DecodeArticle(bytes, article, error));
    EXPECT_FALSE(error.empty());
  }
}

TEST(JsonStringTest, EscapesAndKeepsTheDocumentUtf8) {
  std::string out;
  AppendJsonString(out, "a\"b\\c\n\r\t\x01 \xE4\xB8\xAD \xFF \xE4\xB8");
  EXPECT_EQ(out,
            "\"a\\\"b\\\\c\\n\\r\\t\\u0001 \xE4\xB8\xAD \\ufffd "
            "\\ufffd\\ufffd\"");
}

}  // namespace
}  // namespace cli
