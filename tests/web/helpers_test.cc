#include "web/helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace web {
namespace {

using core::AnsiText;
using core::ByteBuffer;

ByteBuffer Bytes(const std::string& s) {
  return ByteBuffer(s.begin(), s.end());
}

TEST(Base64EncodeTest, PadsEveryRemainderAndReadsBytesUnsigned) {
  const struct {
    std::string input;
    const char* expected;
  } cases[] = {
      {"", ""},
      {"a", "YQ=="},
      {"ab", "YWI="},
      {"abc", "YWJj"},
      {"abcd", "YWJjZA=="},
      {"user:pa\xD6\xD0ss", "dXNlcjpwYdbQc3M="},
      {std::string("\xFF\x00\xFB", 3), "/wD7"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Base64Encode(Bytes(c.input)), AnsiText(c.expected)) << c.input;
  }
}

TEST(HeaderLineTest, SplitsAtFirstColonAndTrimsSpacesOnly) {
  const struct {
    const char* line;
    const char* name;
    const char* value;
  } cases[] = {
      {"Host : x", "Host", "x"},
      {"Time: 10:30", "Time", "10:30"},
      {"no colon here", "", ""},
      {":", "", ""},
      {"X:\xA1\xA1v\xA1\xA1", "X", "v"},  // full-width spaces go
      {"X: v\t", "X", "v\t"},             // a tab stays
      {"\xA1\xA1Name\t: v", "Name\t", "v"},
      // The colon inside a 2-byte unit is no separator.
      {"\xB0:a:b", "\xB0:a", "b"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HeaderLineName(c.line), AnsiText(c.name)) << c.line;
    EXPECT_EQ(HeaderLineValue(c.line), AnsiText(c.value)) << c.line;
  }
}

TEST(TextBetweenTest, CutsBetweenMarkers) {
  // "#引号" in code page 936.
  const std::string quote = "#\xD2\xFD\xBA\xC5";
  const struct {
    std::string text, start_marker, end_marker;
    int start;
    bool case_sensitive;
    const char* expected;
  } cases[] = {
      {"Set-Cookie: k=v; path=/", "Set-Cookie:", ";", 1, true, " k=v"},
      {"Set-Cookie: k=v", "Set-Cookie:", ";", 1, true, ""},
      {"k=v; path=/", "Set-Cookie:", ";", 1, true, ""},
      {"a;b Set-Cookie: c", "Set-Cookie:", ";", 1, true, ""},
      {"ab;cd;", "", ";", 1, true, "ab"},
      {"xay", "a", "", 1, true, ""},
      {"ab", "a", "b", 1, true, ""},
      {"id=\"x1\" name", quote + "x", quote, 1, true, "1"},
      {"id=x1\"", quote + "x", quote, 1, true, ""},
      {"SET-COOKIE: v;", "Set-Cookie:", ";", 1, false, " v"},
      {"SET-COOKIE: v;", "Set-Cookie:", ";", 1, true, ""},
      {"a1;a2;", "a", ";", 3, true, "2"},
      {"a1;", "a", ";", 9, true, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextBetween(c.text, c.start_marker, c.end_marker, c.start,
                          c.case_sensitive),
              AnsiText(c.expected))
        << c.text << " / " << c.start_marker << " / " << c.end_marker;
  }
}

TEST(CookieNameTest, TakesTrimmedTextBeforeEquals) {
  EXPECT_EQ(CookieName(" sid =1"), AnsiText("sid"));
  EXPECT_EQ(CookieName(" flag "), AnsiText("flag"));
  EXPECT_EQ(CookieName("=v"), AnsiText(""));
  EXPECT_EQ(CookieName("a=b=c"), AnsiText("a"));
}

TEST(CookieListHasNameTest, ComparesNamesWithLetterCase) {
  const core::TextList items = {"a=1", " b =2", "flag"};
  EXPECT_TRUE(CookieListHasName(items, "b"));
  EXPECT_TRUE(CookieListHasName(items, "flag"));
  EXPECT_FALSE(CookieListHasName(items, "B"));
  EXPECT_FALSE(CookieListHasName(items, "1"));
  EXPECT_FALSE(CookieListHasName({}, ""));
}

TEST(DedupeDelimitedTextTest, KeepsFirstOccurrenceInPlace) {
  const struct {
    const char* text;
    const char* delimiter;
    const char* expected;
  } cases[] = {
      {"a; b; a; c", "; ", "a; b; c"},
      {"a; b; ", "; ", "a; b"},
      {"", "; ", ""},
      {"a; ; b; ; c", "; ", "a; ; b; c"},
      {"x,x,x", ",", "x"},
      {"abc", "", "abc"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DedupeDelimitedText(c.text, c.delimiter), AnsiText(c.expected))
        << c.text;
  }
}

TEST(MergeCookiesTest, NewValuesWinAndDeletedOnesGo) {
  const struct {
    const char* old_cookies;
    const char* new_cookies;
    const char* expected;
  } cases[] = {
      {"a=1; b=2", "a=3", "a=3; b=2"},
      {"a=1; b=2", "a=deleted", "b=2"},
      {"a=1; b=2", "", "a=1; b=2"},
      {"", "x=1; y=2", "x=1; y=2"},
      {"", "", ""},
      {"a=1; a=5", "", "a=1"},
      {"", "c=1; c=2", "c=1; c=2"},
      {"", "c=1; c=1", "c=1"},
      {"a = 1", "", "a=1"},
      {"x;;y", "", "x; ; y"},
      {"a=1; b=deleted", "c=3", "c=3; a=1"},
      {"s=\xA1\xA1v", "", "s=v"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MergeCookies(c.old_cookies, c.new_cookies), AnsiText(c.expected))
        << c.old_cookies << " + " << c.new_cookies;
  }
}

TEST(MergeCookiesTest, ManyCookiesAllSurvive) {
  AnsiText old_cookies;
  AnsiText new_cookies;
  for (int i = 0; i < 20000; ++i) {
    old_cookies += AnsiText("o" + std::to_string(i) + "=1;");
    new_cookies += AnsiText("n" + std::to_string(i) + "=2;");
  }
  const AnsiText merged = MergeCookies(old_cookies, new_cookies);
  EXPECT_EQ(merged.view().substr(0, 11), "n0=2; n1=2;");
  EXPECT_TRUE(merged.view().ends_with("; o19999=1"));
  // 40000 items joined by "; ".
  EXPECT_EQ(merged.size(), old_cookies.size() + new_cookies.size() + 40000 - 2);
}

}  // namespace
}  // namespace web
