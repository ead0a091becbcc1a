#include "core/text/encodings.h"

#include <gtest/gtest.h>

#include <string>

namespace core {
namespace {

ByteBuffer Units(std::u16string units) {
  ByteBuffer bytes;
  for (const char16_t u : units) {
    bytes.push_back(static_cast<std::uint8_t>(u & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(u >> 8));
  }
  return bytes;
}

TEST(EncodingsTest, ConvertsBetweenUtf8AndAnsi) {
  const struct {
    AnsiText utf8;
    AnsiText ansi;
  } kRoundTrips[] = {
      {"", ""},
      {"plain ASCII 0-9 ~\t\r\n", "plain ASCII 0-9 ~\t\r\n"},
      {"\xE4\xB8\xAD", "\xD6\xD0"},
      {"\xE2\x82\xAC\xEE\x80\x80\xEF\xA3\xB5", "\x80\xAA\xA1\xFF"},
  };
  for (const auto& c : kRoundTrips) {
    EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi) << c.utf8.bytes();
    EXPECT_EQ(AnsiToUtf8(c.ansi), c.utf8) << c.utf8.bytes();
  }
}

TEST(EncodingsTest, LosesNothingOnBadInput) {
  // Malformed UTF-8, characters 936 lacks, best fits and the one "?" per
  // UTF-16 unit of a character outside the BMP.
  EXPECT_EQ(Utf8ToAnsi("a\xE4\xB8"
                       "b\xC0\xAF"
                       "c"),
            AnsiText("a?b??c"));
  EXPECT_EQ(Utf8ToAnsi("\xF0\x9F\x98\x80\xE0\xB8\x81"), AnsiText("???"));
  EXPECT_EQ(Utf8ToAnsi("\xC2\xA5\xC2\xB2"), AnsiText("\xA3\xA4"
                                                     "2"));
  // A stray lead byte keeps the line break after it and at the very end.
  EXPECT_EQ(AnsiToUtf8("\xD6\n\xD6"), AnsiText("?\n?"));
}

TEST(EncodingsTest, DecodeToWideEndsWithAZeroUnit) {
  EXPECT_EQ(DecodeToWide("a\xE4\xB8\xAD"),
            Units(std::u16string(u"a\u4E2D\0", 3)));
  EXPECT_EQ(DecodeToWide("\xD6\xD0\xD6", kCodePage936),
            Units(std::u16string(u"\u4E2D?\0", 3)));
  EXPECT_EQ(DecodeToWide("\x80", kCodePageAnsi),
            Units(std::u16string(u"\u20AC\0", 2)));
  EXPECT_EQ(DecodeToWide(""), ByteBuffer());
  EXPECT_EQ(DecodeToWide("abc", 1252), ByteBuffer());
}

TEST(EncodingsTest, EncodeFromWideStopsAtTheFirstZeroUnit) {
  EXPECT_EQ(EncodeFromWide(Units(std::u16string(u"\u4E2D\0x", 3))),
            AnsiText("\xD6\xD0"));
  EXPECT_EQ(EncodeFromWide(Units(u"\u4E2D"), kCodePageUtf8),
            AnsiText("\xE4\xB8\xAD"));
  EXPECT_EQ(EncodeFromWide(Units(std::u16string(u"\0a", 2))), AnsiText());
  EXPECT_EQ(EncodeFromWide(ByteBuffer()), AnsiText());
  EXPECT_EQ(EncodeFromWide(Units(u"a"), 1252), AnsiText());
  // Half a unit at the end is bad input, shown rather than dropped.
  EXPECT_EQ(EncodeFromWide(ByteBuffer{'a', 0, 'b'}), AnsiText("a?"));
  EXPECT_EQ(EncodeFromWide(ByteBuffer{'a', 0, 0, 0, 'b'}), AnsiText("a"));
  EXPECT_EQ(EncodeFromWide(ByteBuffer{'a'}, kCodePageUtf8),
            AnsiText("\xEF\xBF\xBD"));
}

TEST(EncodingsTest, DecodeThenEncodeIsTheConversion) {
  const AnsiText utf8 = "x\xE4\xB8\xAD\xF0\x9F\x98\x80\xC3\x28\xE2\x82\xAC";
  EXPECT_EQ(EncodeFromWide(DecodeToWide(utf8), kCodePage936), Utf8ToAnsi(utf8));
  const AnsiText ansi = "\xD6\xD0\x81\x30\xFF\xD6";
  EXPECT_EQ(EncodeFromWide(DecodeToWide(ansi, kCodePage936), kCodePageUtf8),
            AnsiToUtf8(ansi));
}

TEST(EncodingsTest, UrlEncode) {
  const struct {
    AnsiText text;
    bool keep_unreserved;
    bool as_utf8;
    AnsiText encoded;
  } kCases[] = {
      {"a b", true, false, "a%20b"},
      {"a_b~", true, false, "a%5Fb%7E"},
      {"x-1.y", true, false, "x-1.y"},
      {"AZaz09/", true, false, "AZaz09%2F"},
      {"ab", false, false, "%61%62"},
      {"\xD6\xD0", true, true, "%E4%B8%AD"},
      {"\xD6\xD0", true, false, "%D6%D0"},
      {"\xD6\xD0", false, true, "%E4%B8%AD"},
      {"\n", false, false, "%0A"},
      {"\n", true, true, "%0A"},
      {"", true, true, ""},
      {"", false, false, ""},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(UrlEncode(c.text, c.keep_unreserved, c.as_utf8), c.encoded)
        << c.text.bytes() << " " << c.keep_unreserved << c.as_utf8;
  }
  EXPECT_EQ(UrlEncode("a"), AnsiText("%61"));
}

}  // namespace
}  // namespace core
