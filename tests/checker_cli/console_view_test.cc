#include "checker_cli/console_view.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

TEST(ConsoleViewTest, FindCountsEditorCharactersAtCharacterStarts) {
  // x, CR LF, 中, 文, 中
  ConsoleView view("x\r\n\xD6\xD0\xCE\xC4\xD6\xD0", {});
  EXPECT_EQ(view.FindInEditor("x"), 0);
  EXPECT_EQ(view.FindInEditor("\xD6\xD0"), 2);
  EXPECT_EQ(view.FindInEditor("\xCE\xC4\xD6\xD0"), 3);
  // The bytes D0 CE sit across two characters: no match.
  EXPECT_EQ(view.FindInEditor("\xD0\xCE"), -1);
  EXPECT_EQ(view.FindInEditor("y"), -1);
  EXPECT_EQ(view.FindInEditor(""), -1);
}

TEST(ConsoleViewTest, FindSkipsAMisalignedMatchForALaterOne) {
  // 中文 then 形 (D0 CE) as a character of its own.
  ConsoleView view("\xD6\xD0\xCE\xC4\xD0\xCE", {});
  EXPECT_EQ(view.FindInEditor("\xD0\xCE"), 2);
}

TEST(ConsoleViewTest, MarksTakeTheSelectedCharacters) {
  ConsoleView view("ab\r\n\xD6\xD0\xCE\xC4", {});
  view.SelectInEditor(1, 3);
  view.FormatSelection({});
  view.SelectInEditor(4, 10);  // cut at the end
  view.FormatSelection({});
  view.SelectInEditor(-3, -1);  // everything
  view.FormatSelection({});
  ASSERT_EQ(view.marks().size(), 3u);
  EXPECT_EQ(view.marks()[0].text.bytes(), "b\r\n\xD6\xD0");
  EXPECT_EQ(view.marks()[1].start, 4);
  EXPECT_EQ(view.marks()[1].length, 1);
  EXPECT_EQ(view.marks()[1].text.bytes(), "\xCE\xC4");
  EXPECT_EQ(view.marks()[2].length, 5);
  EXPECT_EQ(view.marked(), std::vector<bool>(5, true));
}

TEST(ConsoleViewTest, RowIsHandedOnOnceItsAddressIsWritten) {
  std::vector<ConsoleRow> done;
  ConsoleView view("a",
                   [&done](const ConsoleRow& row) { done.push_back(row); });
  view.ResetResultGrid();
  view.AppendResultRow("1");
  view.SetCellText(1, 1, "seg");
  view.SetCellText(1, 2, "0");
  EXPECT_TRUE(done.empty());
  view.SetCellText(1, 3, "addr");
  view.SetCellText(7, 3, "outside");  // ignored
  ASSERT_EQ(done.size(), 1u);
  EXPECT_EQ(done[0].segment.bytes(), "seg");
  EXPECT_EQ(done[0].count.bytes(), "0");
  EXPECT_EQ(done[0].address.bytes(), "addr");
}

}  // namespace
}  // namespace cli
