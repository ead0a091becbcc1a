// The marker scan takes short cuts (byte search instead of a walk unit by
// unit, and the search before the page is converted); these tests hold it
// to the plain definition on inputs made to hit every unit boundary case.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/check/fragments.h"
#include "core/text/encodings.h"
#include "core/text/text_ops.h"

namespace check {
namespace {

// The scan as defined, over the text operations themselves.
int ReferenceExtract(const core::AnsiText& text, const core::AnsiText& start,
                     const core::AnsiText& end, core::TextList& results,
                     const ExtractOptions& o, int& pumps) {
  results.clear();
  int position = o.start_position;
  while (true) {
    const int f = core::FindText(text, start, position, o.case_sensitive);
    if (f == -1) break;
    const int c = f + core::TextLength(start);
    const int g = core::FindText(text, end, c, o.case_sensitive);
    if (g == -1) break;
    core::AnsiText candidate =
        o.prefix + core::TrimSpaces(core::MidText(text, c, g - c)) + o.suffix;
    if (!candidate.empty()) {
      if (o.include_start_marker) candidate = start + candidate;
      if (o.include_end_marker) candidate += end;
      if (o.length_limit != 0) {
        if (candidate.size() < o.length_limit) results.push_back(candidate);
        ++pumps;
      } else {
        results.push_back(candidate);
      }
      position = g;
    } else {
      position = c;
    }
    pumps += 3;
  }
  return static_cast<int>(results.size());
}

std::string Pieces(std::mt19937& random, const std::vector<std::string>& set,
                   int count) {
  std::string out;
  std::uniform_int_distribution<size_t> pick(0, set.size() - 1);
  for (int i = 0; i < count; ++i) out += set[pick(random)];
  return out;
}

TEST(ExtractionEquivalenceTest, ScanMatchesTheDefinitionOnCodePage936Text) {
  // Lead bytes (0x80, 0xD6), the full-width space, ASCII second bytes and
  // marker pieces, so markers fall both on and off unit starts.
  const std::vector<std::string> pieces = {
      "<em>",     "</em>", "<EM>", "</eM>",    "<", "e", "m>", " ",
      "\xA1\xA1", "\x80",  "\xD6", "\xD6\xD0", "a", "A", "|",  "b"};
  const std::vector<std::string> markers = {"<em>", "</em>", "|",       "m>",
                                            "A",    "ab",    "\xD6\xD0"};
  std::mt19937 random(20261211);
  std::uniform_int_distribution<int> length(0, 24);
  std::uniform_int_distribution<size_t> marker(0, markers.size() - 1);
  std::uniform_int_distribution<int> coin(0, 1);
  for (int round = 0; round < 20000; ++round) {
    const core::AnsiText text = Pieces(random, pieces, length(random));
    const core::AnsiText start = markers[marker(random)];
    const core::AnsiText end = markers[marker(random)];
    ExtractOptions o;
    o.case_sensitive = coin(random) == 1;
    o.start_position =
        std::uniform_int_distribution<int>(-1, text.size() + 2)(random);
    if (coin(random) == 1) o.length_limit = 3;
    if (coin(random) == 1 && coin(random) == 1) o.prefix = "[";
    o.include_start_marker = coin(random) == 1;
    o.include_end_marker = coin(random) == 1;

    core::TextList expected;
    int expected_pumps = 0;
    const int n =
        ReferenceExtract(text, start, end, expected, o, expected_pumps);
    core::TextList actual;
    int pumps = 0;
    ASSERT_EQ(
        ExtractAllBetween(text, start, end, actual, o, [&pumps] { ++pumps; }),
        n)
        << "text '" << text.bytes() << "' markers '" << start.bytes() << "' '"
        << end.bytes() << "' from " << o.start_position;
    ASSERT_EQ(actual, expected) << "text '" << text.bytes() << "'";
    ASSERT_EQ(pumps, expected_pumps) << "text '" << text.bytes() << "'";
  }
}

void ExpectSameAsConvertedScan(const core::AnsiText& page) {
  core::TextList expected;
  int expected_pumps = 0;
  ReferenceExtract(core::Utf8ToAnsi(page), "<em>", "</em>", expected, {},
                   expected_pumps);
  core::TextList actual = {"left over"};
  int pumps = 0;
  EXPECT_EQ(ExtractHighlights(page, actual, [&pumps] { ++pumps; }),
            static_cast<int>(expected.size()));
  EXPECT_EQ(actual, expected) << "page '" << page.bytes() << "'";
  EXPECT_EQ(pumps, expected_pumps) << "page '" << page.bytes() << "'";
}

TEST(ExtractionEquivalenceTest, HighlightsMatchTheScanOfTheConvertedPage) {
  // Broken and truncated sequences, characters that convert to one high
  // byte (the euro sign, U+F8F5), or to '?', and the full-width space.
  const std::vector<std::string> pieces = {"<em>",
                                           "</em>",
                                           "<EM>",
                                           "</Em>",
                                           "<",
                                           "em>",
                                           " ",
                                           "\xE3\x80\x80",
                                           "\xE4\xB8\xAD",
                                           "\xE2\x82\xAC",
                                           "\xEF\xA3\xB5",
                                           "\xE4",
                                           "\xE4\xB8",
                                           "\xFF",
                                           "\x80",
                                           "a",
                                           "\xF0\x9F\x98\x80",
                                           "\xC0\xAF"};
  std::mt19937 random(1211);
  std::uniform_int_distribution<int> length(0, 20);
  for (int round = 0; round < 20000; ++round) {
    SCOPED_TRACE(round);
    ExpectSameAsConvertedScan(Pieces(random, pieces, length(random)));
    if (HasFailure()) return;
  }
}

TEST(ExtractionEquivalenceTest, HighlightsOfTheSavedPages) {
  const std::filesystem::path dir =
      std::filesystem::path(PROJECT_SHARED_DIR) / "fixtures/serp";
  if (!std::filesystem::is_directory(dir)) {
    GTEST_SKIP() << "saved result pages not found under " << dir;
  }
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".html") continue;
    SCOPED_TRACE(entry.path().filename().string());
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const core::AnsiText page = bytes.str();
    ExpectSameAsConvertedScan(page);
    // The same page once a euro sign forces the conversion first.
    ExpectSameAsConvertedScan(page + "\xE2\x82\xAC");
  }
}

}  // namespace
}  // namespace check
