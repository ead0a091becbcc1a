#include "core/check/fragments.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/text/encodings.h"

namespace check {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// Test data is written in UTF-8; the checker works in code page 936.
core::AnsiText Gbk(const char* utf8) { return core::Utf8ToAnsi(utf8); }

core::ByteBuffer Bytes(const std::string& text) {
  return core::ByteBuffer(text.begin(), text.end());
}

std::vector<std::string> AsStrings(const core::TextList& list) {
  std::vector<std::string> out;
  for (const auto& t : list) out.push_back(t.bytes());
  return out;
}

struct ExtractCase {
  const char* name;
  const char* text;
  const char* start;
  const char* end;
  ExtractOptions options;
  std::vector<std::string> expected;
  int pumps;
};

void PrintTo(const ExtractCase& c, std::ostream* os) { *os << c.name; }

class ExtractAllBetweenTest : public ::testing::TestWithParam<ExtractCase> {};

TEST_P(ExtractAllBetweenTest, ResultsAndPumpCalls) {
  const ExtractCase& c = GetParam();
  core::TextList results = {"left over"};
  int pumps = 0;
  const int n = ExtractAllBetween(c.text, c.start, c.end, results, c.options,
                                  [&pumps] { ++pumps; });
  EXPECT_THAT(AsStrings(results), ElementsAreArray(c.expected));
  EXPECT_EQ(n, static_cast<int>(c.expected.size()));
  EXPECT_EQ(pumps, c.pumps);
}

ExtractOptions Limit(int limit) {
  ExtractOptions o;
  o.length_limit = limit;
  return o;
}
ExtractOptions Wrapped() {
  ExtractOptions o;
  o.prefix = "[";
  o.suffix = "]";
  return o;
}
ExtractOptions WithMarkers() {
  ExtractOptions o;
  o.include_start_marker = true;
  o.include_end_marker = true;
  return o;
}
ExtractOptions CaseSensitive() {
  ExtractOptions o;
  o.case_sensitive = true;
  return o;
}
ExtractOptions From(int position) {
  ExtractOptions o;
  o.start_position = position;
  return o;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExtractAllBetweenTest,
    ::testing::Values(
        ExtractCase{"AnyCaseTrimmed",
                    "x<em>abcdef</em>y<EM> ghijkl </em>",
                    "<em>",
                    "</em>",
                    {},
                    {"abcdef", "ghijkl"},
                    6},
        ExtractCase{"CaseSensitive",
                    "x<em>abcdef</em>y<EM> ghijkl </em>",
                    "<em>",
                    "</em>",
                    CaseSensitive(),
                    {"abcdef"},
                    3},
        ExtractCase{"EmptySkipped",
                    "<em></em><em>abc</em>",
                    "<em>",
                    "</em>",
                    {},
                    {"abc"},
                    6},
        ExtractCase{"FullWidthSpacesOnly",
                    "<em>\xA1\xA1 </em>",
                    "<em>",
                    "</em>",
                    {},
                    {},
                    3},
        ExtractCase{"NoEndMarker", "a<em>b", "<em>", "</em>", {}, {}, 0},
        ExtractCase{"NestedStartIsContent",
                    "<em>ab<em>cd</em>",
                    "<em>",
                    "</em>",
                    {},
                    {"ab<em>cd"},
                    3},
        // One extra pump per non-empty candidate once a limit is set.
        ExtractCase{"LengthLimit",
                    "<em>abc</em><em>ab</em>",
                    "<em>",
                    "</em>",
                    Limit(3),
                    {"ab"},
                    8},
        ExtractCase{"PrefixSuffix",
                    "<em>ab</em>",
                    "<em>",
                    "</em>",
                    Wrapped(),
                    {"[ab]"},
                    3},
        ExtractCase{"PrefixSuffixOfEmpty",
                    "<em> </em>",
                    "<em>",
                    "</em>",
                    Wrapped(),
                    {"[]"},
                    3},
        ExtractCase{"IncludeMarkers",
                    "<EM> ab </em>",
                    "<em>",
                    "</em>",
                    WithMarkers(),
                    {"<em>ab</em>"},
                    3},
        ExtractCase{"StartPositionZeroIsFirstByte",
                    "<em>a</em><em>b</em>",
                    "<em>",
                    "</em>",
                    From(0),
                    {"a", "b"},
                    6},
        ExtractCase{"StartPositionSkips",
                    "<em>a</em><em>b</em>",
                    "<em>",
                    "</em>",
                    From(2),
                    {"b"},
                    3},
        // The next search starts at the end marker, or after the start
        // marker when the candidate was empty.
        ExtractCase{"EndMarkerOpensNext", "|a|b|", "|", "|", {}, {"a", "b"}, 6},
        ExtractCase{"EmptyRestartsAfterStart", "||a|", "|", "|", {}, {"a"}, 6},
        ExtractCase{"EmptyStartMarker", "<em>a</em>", "", "</em>", {}, {}, 0},
        ExtractCase{"EmptyEndMarkerWithPrefix",
                    "<em>a</em>",
                    "<em>",
                    "",
                    Wrapped(),
                    {},
                    0}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

// A 2xx result page holding the given markup.
core::ByteBuffer ResultPage(const std::string& body) {
  return Bytes("<html><!--STATUS OK--><div id=\"content_left\">" + body +
               "</div></html>");
}

struct FilterCase {
  const char* name;
  const char* markup;                 // UTF-8
  const char* segment;                // UTF-8
  std::vector<const char*> expected;  // UTF-8
};

void PrintTo(const FilterCase& c, std::ostream* os) { *os << c.name; }

class CandidateFilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(CandidateFilterTest, KeepsNormalisedCandidatesFoundInTheSegment) {
  const FilterCase& c = GetParam();
  core::TextList fragments;
  EXPECT_TRUE(
      FragmentsFromReply(200, ResultPage(c.markup), Gbk(c.segment), fragments));
  std::vector<std::string> expected;
  for (const char* e : c.expected) expected.push_back(Gbk(e).bytes());
  EXPECT_THAT(AsStrings(fragments), ElementsAreArray(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, CandidateFilterTest,
    ::testing::Values(
        FilterCase{"FiveWideCharactersDropped",
                   "<em>中文中文中</em>",
                   "中文中文中文",
                   {}},
        FilterCase{"SixWideCharactersPass",
                   "<em>中文中文中文</em>",
                   "这是中文中文中文",
                   {"中文中文中文"}},
        FilterCase{"SixAsciiPass",
                   "<em>abcdef</em><em>abcde</em>",
                   "xabcdefx",
                   {"abcdef"}},
        FilterCase{"NotInSegmentDropped", "<em>abcdef</em>", "abcdeg", {}},
        FilterCase{"AsciiCommaBecomesFullWidth",
                   "<em>abc,def</em>",
                   "xabc，defx",
                   {"abc，def"}},
        FilterCase{"AllThreeMarksReplaced",
                   "<em>a,b.c?d</em>",
                   "a，b。c？d",
                   {"a，b。c？d"}},
        FilterCase{"TrailingQuestionMarkCut",
                   "<em>abcdef?</em>",
                   "abcdefg",
                   {"abcdef"}},
        FilterCase{"OnlyOneTrailingMarkCut",
                   "<em>abcdef，，</em>",
                   "abcdef，x",
                   {"abcdef，"}},
        FilterCase{"OnlyOneTrailingMarkCutNotFound",
                   "<em>abcdef，，</em>",
                   "abcdefx",
                   {}},
        FilterCase{"MarkedTwiceAppendedOnce",
                   "<em>abcdef</em> and <em>abcdef</em>",
                   "abcdef",
                   {"abcdef"}},
        FilterCase{"ShortestFirstThenPageOrder",
                   "<em>abcdefgh</em><em>bcdefg</em><em>abcdef</em>",
                   "abcdefgh",
                   {"bcdefg", "abcdef", "abcdefgh"}},
        // Deduplication precedes normalisation, so both spellings count.
        FilterCase{"EqualOnlyAfterNormalising",
                   "<em>abc,def</em><em>abc，def</em>",
                   "abc，def",
                   {"abc，def", "abc，def"}},
        FilterCase{
            "EntitiesKeptVerbatim", "<em>&quot;abcdef</em>", "\"abcdef", {}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(FragmentsFromReplyTest, AppendsAfterWhatTheListHeld) {
  core::TextList fragments = {"earlier"};
  EXPECT_TRUE(FragmentsFromReply(200, ResultPage("<em>abcdef</em>"), "abcdef",
                                 fragments));
  EXPECT_THAT(AsStrings(fragments), ElementsAre("earlier", "abcdef"));
}

TEST(FragmentsFromReplyTest, PageEndsAtItsFirstZeroByte) {
  core::ByteBuffer page = ResultPage("<em>abcdef</em>");
  const core::ByteBuffer tail = Bytes(std::string("\0<em>ghijkl</em>", 16));
  page.insert(page.begin() + 30, tail.begin(), tail.end());
  core::TextList fragments;
  // The zero byte comes before content_left but after the status marker.
  EXPECT_TRUE(FragmentsFromReply(200, page, "abcdefghijkl", fragments));
  EXPECT_THAT(fragments, IsEmpty());
}

struct ReplyCase {
  const char* name;
  int status;
  const char* page;  // UTF-8
  ReplyKind kind;
};

void PrintTo(const ReplyCase& c, std::ostream* os) { *os << c.name; }

class ClassifyReplyTest : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(ClassifyReplyTest, OnlyResultPagesAnswer) {
  const ReplyCase& c = GetParam();
  EXPECT_EQ(ClassifyReply(c.status, c.page), c.kind);
}

constexpr const char* kVerificationPage =
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\">"
    "<title>百度安全验证</title></head><body><div class=\"timeout\">"
    "<p class=\"timeout-title\">网络不给力，请稍后重试</p>"
    "<a class=\"timeout-button\" href=\"#\">返回首页</a>"
    "</div></body></html>";
// The no-result page carries the result markers too and echoes the query.
constexpr const char* kNoResultPage =
    "<html><!--STATUS OK--><div id=\"content_left\">"
    "<div class=\"content_none\"><div class=\"nors\"><p>很抱歉，没有找到与"
    "<span>“</span><em>abcdefghij</em><span>”</span>相关的网页。</p>"
    "</div></div></div></html>";

INSTANTIATE_TEST_SUITE_P(
    Table, ClassifyReplyTest,
    ::testing::Values(
        ReplyCase{"NoReply", 0, "", ReplyKind::kNotAnswered},
        ReplyCase{"StatusMarker", 200, "<!--STATUS OK-->", ReplyKind::kResults},
        ReplyCase{"ContentLeft", 299, "<div id=\"content_left\">",
                  ReplyKind::kResults},
        ReplyCase{"NotFoundStatus", 404, "<!--STATUS OK-->",
                  ReplyKind::kNotAnswered},
        ReplyCase{"Redirect", 302, "<!--STATUS OK-->", ReplyKind::kNotAnswered},
        ReplyCase{"ServerError", 500, "", ReplyKind::kNotAnswered},
        ReplyCase{"Stub", 200, "<html>hello</html>", ReplyKind::kNotAnswered},
        ReplyCase{"EmptyBody", 200, "", ReplyKind::kNotAnswered},
        ReplyCase{"Verification", 200, kVerificationPage,
                  ReplyKind::kNotAnswered},
        ReplyCase{"NoResult", 200, kNoResultPage, ReplyKind::kNoResults},
        ReplyCase{"NoResultTextOnly", 200, "<p>没有找到与</p>",
                  ReplyKind::kNoResults}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(FragmentsFromReplyTest, UnansweredAndNoResultPagesYieldNothing) {
  struct {
    int status;
    const char* page;
    bool answered;
  } cases[] = {{200, kVerificationPage, false},
               {200, kNoResultPage, true},
               {0, "", false},
               {503, "<!--STATUS OK--><em>abcdefghij</em>", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.page);
    core::TextList fragments;
    EXPECT_EQ(
        FragmentsFromReply(c.status, Bytes(c.page), "abcdefghij", fragments),
        c.answered);
    EXPECT_THAT(fragments, IsEmpty());
  }
}

TEST(FragmentsFromReplyTest, EmInsideScriptRunsOnToTheNextCloseTag) {
  // The escaped close tag does not end the pair: the candidate swallows
  // the script and the next title's phrase, and matches nothing.
  const std::string markup =
      "<script>A.setup({data:{title:\"<em>\\u65b0\\u51a0<\\/em>\"}})</script>"
      "<h3 class=\"t\"><em>abcdefgh</em></h3>"
      "<div class=\"c-abstract\"><em>ijklmnop</em></div>";
  core::TextList fragments;
  EXPECT_TRUE(FragmentsFromReply(200, ResultPage(markup), "abcdefghijklmnop",
                                 fragments));
  EXPECT_THAT(AsStrings(fragments), ElementsAre("ijklmnop"));
}

// Saved real result pages, when the shared fixtures are at hand.
class SavedPageTest : public ::testing::Test {
 protected:
  core::ByteBuffer Load(const std::string& name) {
    const std::filesystem::path path =
        std::filesystem::path(PROJECT_SHARED_DIR) / "fixtures/serp" / name;
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return core::ByteBuffer(std::istreambuf_iterator<char>(in), {});
  }
};

TEST_F(SavedPageTest, SegmentBuiltFromPagePhrasesGetsThem) {
  struct {
    const char* file;
    const char* segment;  // UTF-8
    std::vector<const char*> expected;
  } cases[] = {
      // Every phrase is "Python" or "python"; equal lengths keep page order.
      {"baidu-serp-normal-python-2020.html",
       "学习Python和python入门",
       {"Python", "python"}},
      // Entities stay as they are, so quoted phrases cannot match.
      {"baidu-serp-query-truncated-38-hanzi-2015.html",
       "Find ich besser als einfach nur den Propheten zu zeichnen",
       {"besser", "einfach", "zeichnen", "Propheten"}},
      // Highlights of 3 and 4 characters only.
      {"baidu-serp-two-results-rare-query-2020.html",
       "trdewersdtrewrsfdxgcrtd、",
       {}},
      // The one long candidate runs from a script into the next title.
      {"baidu-serp-news-card-escaped-em-in-script-2020.html",
       "新冠肺炎疫情最新消息新冠病毒",
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const core::ByteBuffer page = Load(c.file);
    if (page.empty()) {
      GTEST_SKIP() << "saved result pages not found under "
                   << PROJECT_SHARED_DIR;
    }
    core::TextList fragments;
    EXPECT_TRUE(FragmentsFromReply(200, page, Gbk(c.segment), fragments));
    std::vector<std::string> expected;
    for (const char* e : c.expected) expected.push_back(Gbk(e).bytes());
    EXPECT_THAT(AsStrings(fragments), ElementsAreArray(expected));
  }
}

}  // namespace
}  // namespace check
