#include "core/check/check_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/core/check/recording_view.h"

namespace check {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::RecordingView;

constexpr const char* kFailed = "\xCA\xA7\xB0\xDC";  // 失败
constexpr const char* kCheckFailed = "\xBC\xEC\xB2\xE2\xCA\xA7\xB0\xDC";

// What the fake engine says for a segment.
struct Reply {
  bool answered = true;
  core::TextList fragments;
};

// Answers by the segment's first byte; unknown segments are answered empty.
FragmentSource FakeSource(RecordingView& view,
                          std::map<char, Reply> replies = {}) {
  return [&view, replies](const core::AnsiText& segment,
                          core::TextList& fragments) {
    view.Log("Source(" + segment.bytes() + ")");
    const auto it = replies.find(segment.bytes()[0]);
    if (it == replies.end()) return true;
    for (const auto& f : it->second.fragments) fragments.push_back(f);
    return it->second.answered;
  };
}

// Segment k (from 0) is 36 copies of the letter 'a' + k.
core::AnsiText Segments(int count) {
  std::string text;
  for (int k = 0; k < count; ++k) text += std::string(36, char('a' + k));
  return text;
}

std::vector<std::string> CountCells(const RecordingView& view) {
  std::vector<std::string> cells;
  for (size_t r = 1; r < view.rows.size(); ++r) {
    cells.push_back(view.rows[r][2].text.bytes());
  }
  return cells;
}

std::vector<std::optional<Colour>> CountColours(const RecordingView& view) {
  std::vector<std::optional<Colour>> colours;
  for (size_t r = 1; r < view.rows.size(); ++r) {
    colours.push_back(view.rows[r][2].colour);
  }
  return colours;
}

std::vector<std::string> EditorCalls(const RecordingView& view) {
  std::vector<std::string> calls;
  for (const auto& entry : view.log) {
    if (entry.starts_with("FindInEditor") ||
        entry.starts_with("SelectInEditor")) {
      calls.push_back(entry);
    }
  }
  return calls;
}

TEST(CheckRunTest, OneSegmentGoesThroughEveryStepInOrder) {
  RecordingView view("abcdefgh");
  CheckRun(view, FakeSource(view, {{'a', {true, {"abcdef"}}}}));
  const std::string address = std::string(kSearchAddressPrefix) + "abcdefgh";
  EXPECT_THAT(
      view.log,
      ElementsAre("SetStartEnabled(0)", "ResetResultGrid", "ReadArticle",
                  "AppendResultRow(1)", "SetCellText(1,1,abcdefgh)",
                  "Source(abcdefgh)", "SetCellTextColour(1,2,255)",
                  "SetCellText(1,2,1)", "SetCellText(1,3," + address + ")",
                  "SetCellTextColour(1,3,16711680)", "ReadArticle",
                  "ShowCharacterCount(8)", "ShowOriginalityRate(0%)",
                  "FindInEditor(abcdef)", "SelectInEditor(0,6)",
                  "FormatSelection(12,255)", "ResetEditorFormat",
                  "SetStartEnabled(1)"));
  EXPECT_TRUE(view.start_enabled);
}

struct RateCase {
  const char* name;
  int segments;
  std::map<char, Reply> replies;
  std::vector<std::string> counts;
  std::vector<std::optional<Colour>> colours;
  const char* rate;
  size_t finds;  // distinct fragments searched in the editor
};

void PrintTo(const RateCase& c, std::ostream* os) { *os << c.name; }

class CheckRunRateTest : public ::testing::TestWithParam<RateCase> {};

TEST_P(CheckRunRateTest, CountsAndRateCoverAnsweredSegmentsOnly) {
  const RateCase& c = GetParam();
  RecordingView view(Segments(c.segments));
  CheckRun(view, FakeSource(view, c.replies));
  EXPECT_EQ(CountCells(view), c.counts);
  EXPECT_EQ(CountColours(view), c.colours);
  EXPECT_EQ(view.rate, core::AnsiText(c.rate));
  EXPECT_EQ(EditorCalls(view).size(), c.finds * 2);
  // Failed or not, every row carries its blue address.
  for (size_t r = 1; r < view.rows.size(); ++r) {
    EXPECT_EQ(view.rows[r][0].text, core::AnsiText(std::to_string(r)));
    EXPECT_TRUE(view.rows[r][3].text.view().starts_with(kSearchAddressPrefix));
    EXPECT_EQ(view.rows[r][3].colour, kBlue);
  }
}

const Reply kTwo{true, {"aaaaaa", "bbbbbb"}};
const Reply kFailure{false, {}};
const Reply kFailureWithLeftovers{false, {"cccccc"}};
constexpr std::optional<Colour> kDefault;

INSTANTIATE_TEST_SUITE_P(
    Table, CheckRunRateTest,
    ::testing::Values(
        RateCase{"AllWithout",
                 3,
                 {},
                 {"0", "0", "0"},
                 {kDefault, kDefault, kDefault},
                 "100%",
                 0},
        RateCase{"AllWith",
                 2,
                 {{'a', kTwo}, {'b', kTwo}},
                 {"2", "2"},
                 {kRed, kRed},
                 "0%",
                 2},
        RateCase{"OneOfThreeWithout",
                 3,
                 {{'a', kTwo}, {'b', kTwo}},
                 {"2", "2", "0"},
                 {kRed, kRed, kDefault},
                 "33.33%",
                 2},
        RateCase{"TwoOfThreeWithout",
                 3,
                 {{'a', kTwo}},
                 {"2", "0", "0"},
                 {kRed, kDefault, kDefault},
                 "66.67%",
                 2},
        RateCase{"OneOfEightWithout",
                 8,
                 {{'a', kTwo},
                  {'b', kTwo},
                  {'c', kTwo},
                  {'d', kTwo},
                  {'e', kTwo},
                  {'f', kTwo},
                  {'g', kTwo}},
                 {"2", "2", "2", "2", "2", "2", "2", "0"},
                 {kRed, kRed, kRed, kRed, kRed, kRed, kRed, kDefault},
                 "12.5%",
                 2},
        // One failed, one without, one with: the failure votes for neither.
        RateCase{"SomeFailed",
                 3,
                 {{'a', kFailure}, {'c', kTwo}},
                 {kFailed, "0", "2"},
                 {kGrey, kDefault, kRed},
                 "50%",
                 2},
        // Fragments from an unanswered reply are not counted.
        RateCase{"FailedLeftoversIgnored",
                 2,
                 {{'a', kFailureWithLeftovers}},
                 {kFailed, "0"},
                 {kGrey, kDefault},
                 "100%",
                 0},
        RateCase{"AllFailed",
                 2,
                 {{'a', kFailure}, {'b', kFailure}},
                 {kFailed, kFailed},
                 {kGrey, kGrey},
                 kCheckFailed,
                 0}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(CheckRunTest, EmptyOrFullyRemovedArticleMakesNoRequest) {
  const struct {
    const char* article;
    const char* count;
  } cases[] = {{"", "0"}, {"%%\t\r\n", "4"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.article);
    RecordingView view(c.article);
    CheckRun(view, FakeSource(view));
    EXPECT_EQ(view.rows.size(), 1u);  // the header row alone
    EXPECT_EQ(view.character_count, core::AnsiText(c.count));
    EXPECT_EQ(view.rate, core::AnsiText());
    for (const auto& entry : view.log)
      EXPECT_FALSE(entry.starts_with("Source"));
    EXPECT_TRUE(view.start_enabled);
  }
}

TEST(CheckRunTest, ThirtySevenCharactersMakeTwoRows) {
  RecordingView view(std::string(37, 'x'));
  CheckRun(view, FakeSource(view));
  ASSERT_EQ(view.rows.size(), 3u);
  EXPECT_EQ(view.rows[1][1].text, core::AnsiText(std::string(36, 'x')));
  EXPECT_EQ(view.rows[2][1].text, core::AnsiText("x"));
  EXPECT_EQ(view.character_count, core::AnsiText("37"));
}

TEST(CheckRunTest, CharacterCountIsOfTheUncleanedTextWithCrLfAsOne) {
  // Three 2-byte characters and CR LF.
  RecordingView view("\xD6\xD0\xCE\xC4\xB9\xFA\r\n");
  CheckRun(view, FakeSource(view));
  EXPECT_EQ(view.character_count, core::AnsiText("4"));
}

TEST(CheckRunTest, AddressCellIsPercentEncodedUtf8) {
  RecordingView view("ab c\xD6\xD0");  // 中
  CheckRun(view, FakeSource(view));
  EXPECT_EQ(
      view.rows[1][3].text,
      core::AnsiText(std::string(kSearchAddressPrefix) + "ab%20c%E4%B8%AD"));
  EXPECT_EQ(view.rows[1][3].colour, kBlue);
}

TEST(CheckRunTest, FragmentOfTwoSegmentsIsSearchedAndMarkedOnce) {
  std::string article = "abcdef" + std::string(30, 'a');
  article += "abcdef" + std::string(30, 'b');
  RecordingView view(article);
  CheckRun(view, FakeSource(view, {{'a', {true, {"abcdef"}}}}));
  EXPECT_THAT(EditorCalls(view),
              ElementsAre("FindInEditor(abcdef)", "SelectInEditor(0,6)"));
  EXPECT_THAT(CountCells(view), ElementsAre("1", "1"));
}

TEST(CheckRunTest, ShortestFragmentIsMarkedFirstSoLongerOnesCoverIt) {
  RecordingView view("abcdefgh");
  CheckRun(view, FakeSource(view, {{'a', {true, {"abcdefgh", "abcdef"}}}}));
  EXPECT_THAT(EditorCalls(view),
              ElementsAre("FindInEditor(abcdef)", "SelectInEditor(0,6)",
                          "FindInEditor(abcdefgh)", "SelectInEditor(0,8)"));
  ASSERT_EQ(view.marks.size(), 2u);
  EXPECT_EQ(view.marks[1].format.colour, kRed);
  EXPECT_EQ(view.marks[1].format.size, 12);
  EXPECT_EQ(view.marks[1].format.face, core::AnsiText(kSongTypeface));
}

TEST(CheckRunTest, FragmentAcrossRemovedSymbolCountsButIsNotMarked) {
  RecordingView view("abc%def");
  CheckRun(view, FakeSource(view, {{'a', {true, {"abcdef"}}}}));
  EXPECT_THAT(CountCells(view), ElementsAre("1"));
  EXPECT_EQ(view.rate, core::AnsiText("0%"));
  EXPECT_THAT(EditorCalls(view), ElementsAre("FindInEditor(abcdef)"));
  EXPECT_THAT(view.marks, IsEmpty());
}

TEST(CheckRunTest, SelectionLengthCountsCharactersNotBytes) {
  const std::string chinese =
      "\xD6\xD0\xCE\xC4\xD6\xD0\xCE\xC4\xD6\xD0\xCE\xC4";
  RecordingView view("x\r\n" + chinese);
  CheckRun(view, FakeSource(view, {{'x', {true, {chinese}}}}));
  EXPECT_THAT(EditorCalls(view), ElementsAre("FindInEditor(" + chinese + ")",
                                             "SelectInEditor(2,6)"));
}

TEST(CheckRunTest, SecondRunReplacesTheFirstAndStartsFromZero) {
  RecordingView view(Segments(3));
  CheckRun(view, FakeSource(view, {{'a', kTwo}, {'b', kTwo}, {'c', kTwo}}));
  EXPECT_EQ(view.rate, core::AnsiText("0%"));
  view.set_editor(Segments(2).bytes().substr(36) + Segments(1).bytes());
  view.marks.clear();
  CheckRun(view, FakeSource(view));
  ASSERT_EQ(view.rows.size(), 3u);
  EXPECT_EQ(view.rows[1][1].text, core::AnsiText(std::string(36, 'b')));
  EXPECT_EQ(view.rows[2][1].text, core::AnsiText(std::string(36, 'a')));
  EXPECT_EQ(view.rate, core::AnsiText("100%"));
  EXPECT_THAT(view.marks, IsEmpty());
}

}  // namespace
}  // namespace check
