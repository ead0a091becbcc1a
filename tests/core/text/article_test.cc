#include "core/text/article.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/text/characters.h"
#include "core/text/text_ops.h"

namespace core {
namespace {

// Cleaning as it is defined: the tab, then each table entry in turn, every
// occurrence removed from the whole text, bytes compared exactly.
AnsiText CleanSequentially(const AnsiText& text) {
  AnsiText result = ReplaceText(text, "\t", {}, 1, kEveryOccurrence, true);
  for (const char* entry : kStripTable) {
    result = ReplaceText(result, entry, {}, 1, kEveryOccurrence, true);
  }
  return result;
}

TEST(StripTableTest, EntriesInOrder) {
  const std::string expected[] = {
      "%", "&", "*",  "+", "~", "!", "@", "#",  "$", "^",        "_",
      "-", "=", ",",  ".", "?", ":", ";", "(",  ")", "[",        "]",
      "{", "}", "\"", "'", "<", ">", "/", "\\", "|", "\xA1\xA1", "\r\n"};
  ASSERT_EQ(kStripTable.size(), std::size(expected));
  for (size_t i = 0; i < kStripTable.size(); ++i) {
    EXPECT_EQ(kStripTable[i], expected[i]) << "entry " << i + 1;
  }
}

TEST(CleanArticleTest, RemovesTabsSymbolsFullWidthSpacesAndLineBreaks) {
  struct Case {
    std::string text;
    std::string expected;
  };
  const Case cases[] = {
      {"", ""},
      {"a b", "a b"},
      {"a,b\xA3\xAC"
       "c",
       "ab\xA3\xAC"
       "c"},
      {"%&*+~!@#$^_-=,.?:;()[]{}\"'<>/\\|\t\xA1\xA1\r\n", ""},
      {"a\xA1\xA1"
       "b\tc",
       "abc"},
      // The pair goes only at the last entry, after what separated it.
      {"\r%\n", ""},
      {"\r\t\n", ""},
      {"\r\xA1\xA1\n", ""},
      {"x\r|\"\n\r\ny", "xy"},
      // Lone breaks stay; a pair that a removal forms is still one pair.
      {"a\nb\rc", "a\nb\rc"},
      {"\r\r\n\n", "\r\n"},
      {"\r\r\n", "\r"},
      {"\r\n\n", "\n"},
      // Second bytes that equal a symbol belong to their character.
      {"\x81\\"
       "a\\b",
       "\x81\\"
       "ab"},
      {"\x81|a|b", "\x81|ab"},
      {"\x81@\x81[\x81_\x81~", "\x81@\x81[\x81_\x81~"},
      {"\x80\t", "\x80\t"},
      {"\x81\r\n", "\x81\r\n"},
      // A lead byte with nothing after it is dropped.
      {"ab\xD6", "ab"},
      {"\xA1", ""},
      // 0xA1 0xA1 counts only as a unit of its own.
      {"\xD6\xA1\xA1"
       "b",
       "\xD6\xA1\xA1"
       "b"},
      {"\xD6\xA1\xA1\xA1", "\xD6\xA1"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CleanArticle(c.text).bytes(), c.expected)
        << "text '" << c.text << "'";
    EXPECT_EQ(CleanSequentially(c.text).bytes(), c.expected)
        << "sequential, text '" << c.text << "'";
  }
}

TEST(CutIntoSegmentsTest, ThirtySixCharactersEach) {
  const std::string zhong = "\xD6\xD0";
  struct Case {
    std::string text;
    std::vector<size_t> segment_bytes;
  };
  std::string mixed;
  for (int i = 0; i < 20; ++i) mixed += zhong + "a";
  const Case cases[] = {
      {"", {}},
      {std::string(36, 'a'), {36}},
      {std::string(37, 'a'), {36, 1}},
      {std::string(72, 'a'), {36, 36}},
      {[&] {
         std::string s;
         for (int i = 0; i < 36; ++i) s += zhong;
         return s;
       }(),
       {72}},
      // 40 characters in 60 bytes: 36 characters, then 4.
      {mixed, {18 * 2 + 18, 2 * 2 + 2}},
      {std::string(35, 'a') + "\r\n" + "b", {37, 1}},
  };
  for (const Case& c : cases) {
    const TextList segments = CutIntoSegments(c.text);
    std::vector<size_t> sizes;
    for (const AnsiText& segment : segments)
      sizes.push_back(segment.view().size());
    EXPECT_EQ(sizes, c.segment_bytes) << "text '" << c.text << "'";
  }
  EXPECT_TRUE(CutIntoSegments(CleanArticle("\t,\r\n\xA1\xA1\r.\n")).empty());
}

// Bytes weighted toward the ones the rules treat specially.
std::string RandomText(std::mt19937& rng) {
  static const std::string kSpecial =
      "\t\r\n\r\n %&*+~!@#$^_-=,.?:;()[]{}\"'<>/\\|\xA1\xA1\xA1\x80\x81\xD6\xD0"
      "aZ";
  std::uniform_int_distribution<int> length(0, 120);
  std::uniform_int_distribution<int> pick(0, 3);
  std::uniform_int_distribution<size_t> special(0, kSpecial.size() - 1);
  std::uniform_int_distribution<int> any(1, 255);
  std::string text(static_cast<size_t>(length(rng)), 'x');
  for (char& c : text) {
    c = pick(rng) == 0 ? static_cast<char>(any(rng)) : kSpecial[special(rng)];
  }
  return text;
}

TEST(ArticlePropertyTest, MatchesDefinitionAndSegmentsRebuildTheText) {
  std::mt19937 rng(20261211);
  for (int round = 0; round < 20000; ++round) {
    const AnsiText text(RandomText(rng));
    const AnsiText cleaned = CleanArticle(text);
    ASSERT_EQ(cleaned, CleanSequentially(text))
        << "text '" << text.bytes() << "'";

    const TextList segments = CutIntoSegments(cleaned);
    std::string joined;
    for (size_t i = 0; i < segments.size(); ++i) {
      joined += segments[i].bytes();
      const int characters = CountCharacters(segments[i]);
      ASSERT_GE(characters, 1);
      ASSERT_LE(characters, kSegmentCharacters);
      if (i + 1 < segments.size()) {
        ASSERT_EQ(characters, kSegmentCharacters);
      }
    }
    ASSERT_EQ(joined, cleaned.bytes());
    const int total = CountCharacters(cleaned);
    ASSERT_EQ(static_cast<int>(segments.size()),
              (total + kSegmentCharacters - 1) / kSegmentCharacters);
  }
}

}  // namespace
}  // namespace core
