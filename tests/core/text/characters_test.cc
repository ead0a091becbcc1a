#include "core/text/characters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace core {
namespace {

std::vector<std::string> Characters(const AnsiText& text) {
  TextList list;
  const int count = SplitCharacters(text, list);
  EXPECT_EQ(count, static_cast<int>(list.size()));
  EXPECT_EQ(count, CountCharacters(text)) << "count differs for the same text";
  std::vector<std::string> out;
  for (const AnsiText& character : list) out.push_back(character.bytes());
  return out;
}

TEST(CharactersTest, CharacterRule) {
  struct Case {
    std::string text;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"", {}},
      {"a\r\nb", {"a", "\r\n", "b"}},
      {"\n\r", {"\n", "\r"}},
      {"a\r", {"a", "\r"}},
      {"\r\r\n", {"\r", "\r\n"}},
      {"\xD6\xD0\xCE\xC4", {"\xD6\xD0", "\xCE\xC4"}},
      {"a\xD6", {"a", "\xD6"}},
      {"\xD6", {"\xD6"}},
      // 0x80 leads nothing here, unlike the scan rule's units.
      {"\x80"
       "A",
       {"\x80", "A"}},
      // A lead byte takes whatever follows it, CR and ASCII included.
      {"\x81\r\n", {"\x81\r", "\n"}},
      {"\xD6\xD0"
       "a\r\n",
       {"\xD6\xD0", "a", "\r\n"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Characters(c.text), c.expected) << "text '" << c.text << "'";
  }
}

TEST(CharactersTest, SplitDiscardsPreviousMembersAndMayReadFromTheList) {
  TextList list = {"old", "members"};
  EXPECT_EQ(SplitCharacters("", list), 0);
  EXPECT_TRUE(list.empty());

  list = {"ab"};
  EXPECT_EQ(SplitCharacters(list[0], list), 2);
  EXPECT_EQ(list, (TextList{"a", "b"}));
}

}  // namespace
}  // namespace core
