#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dedup/runs/runs.h"
#include "tests/dedup/runs/fake_view.h"
#include "tests/support/temp_folder.h"

namespace dedup {
namespace {

using test::TempFolder;

using Items = std::vector<std::string>;
using testing::HasSubstr;

class ImportExportTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(folder_.path().empty()); }

  Items ImportInto(FakeView& view, const std::string& file_bytes) {
    view.answers.push_back(folder_.Write("in.txt", file_bytes));
    ImportLines(view);
    return view.items();
  }

  TempFolder folder_;
};

TEST_F(ImportExportTest, ImportSplitsAtCrLfOnlyAndAppends) {
  struct Case {
    std::string file;
    Items items;
  };
  const Case cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"\r\na", {"", "a"}},
      {"one\ntwo\n", {"one\ntwo\n"}},
      {"\xCB\xCE\xCC\xE5\r\n", {"\xCB\xCE\xCC\xE5"}},
  };
  for (const Case& c : cases) {
    FakeView view({"kept"});
    Items expected = {"kept"};
    expected.insert(expected.end(), c.items.begin(), c.items.end());
    EXPECT_EQ(ImportInto(view, c.file), expected);
    EXPECT_EQ(view.count_caption, std::to_string(expected.size()));
    EXPECT_TRUE(view.messages.empty());
    ASSERT_EQ(view.requests.size(), 1u);
    EXPECT_EQ(view.requests[0].filter, "文本|*.txt");
  }
}

TEST_F(ImportExportTest, EmptyFileAddsNothingAndRepeatImportDoubles) {
  FakeView view({"x"});
  EXPECT_EQ(ImportInto(view, ""), Items{"x"});
  EXPECT_EQ(view.count_caption, "1");
  ImportInto(view, "a\r\nb\r\n");
  EXPECT_EQ(ImportInto(view, "a\r\nb\r\n"), (Items{"x", "a", "b", "a", "b"}));
  EXPECT_EQ(view.count_caption, "5");
}

TEST_F(ImportExportTest, CancelledImportOnlyRefreshesTheCount) {
  FakeView view({"a", "b"});
  view.answers.push_back(std::nullopt);
  ImportLines(view);
  EXPECT_EQ(view.items(), (Items{"a", "b"}));
  EXPECT_EQ(view.count_caption, "2");
}

TEST_F(ImportExportTest, FileWithAZeroByteIsRefusedWhole) {
  FakeView view({"kept"});
  // UTF-16 with a byte-order mark: "ab" CR LF.
  const std::string utf16(
      "\xFF\xFE"
      "a\0b\0\r\0\n\0",
      10);
  EXPECT_EQ(ImportInto(view, utf16), Items{"kept"});
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].kind, Message::Kind::kError);
  EXPECT_THAT(view.messages[0].text, HasSubstr("936"));
  EXPECT_THAT(view.messages[0].text,
              HasSubstr((folder_.path() / "in.txt").string()));
  EXPECT_EQ(view.count_caption, "1");
}

TEST_F(ImportExportTest, UnreadableFileIsReportedWithTheReason) {
  struct Case {
    std::filesystem::path path;
    std::string reason;
  };
  const Case cases[] = {{folder_.path() / "missing.txt", "No such file"},
                        {folder_.path(), "Is a directory"}};
  for (const Case& c : cases) {
    FakeView view({"kept"});
    view.answers.push_back(c.path);
    ImportLines(view);
    EXPECT_EQ(view.items(), Items{"kept"});
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_THAT(view.messages[0].text, HasSubstr(c.path.string()));
    EXPECT_THAT(view.messages[0].text, HasSubstr(c.reason));
    EXPECT_EQ(view.count_caption, "1");
  }
}

TEST_F(ImportExportTest, ClearEmptiesTheListAndBlanksTheCount) {
  for (const Items& before : {Items{"a", "b"}, Items{}}) {
    FakeView view(before);
    ClearLines(view);
    EXPECT_TRUE(view.items().empty());
    EXPECT_EQ(view.count_caption, "");
  }
}

TEST_F(ImportExportTest, ExportWritesEveryItemWithCrLf) {
  FakeView view({"a", "", "b"});
  const std::filesystem::path target = folder_.path() / "out.txt";
  view.answers.push_back(target);
  ExportRun(view);
  EXPECT_EQ(TempFolder::Read(target), "a\r\n\r\nb\r\n");
  EXPECT_EQ(
      view.Folded(),
      (std::vector<std::string>{
          "disable 按钮1", "disable 按钮7", "disable 按钮5", "disable 按钮4",
          "max 3", "pos 3", "save dialog", "enable 按钮1", "enable 按钮7",
          "enable 按钮5", "enable 按钮4", "pos 0"}));
  ASSERT_EQ(view.requests.size(), 1u);
  EXPECT_EQ(view.requests[0].file_name, "去重复");
  EXPECT_EQ(view.requests[0].filter, "执行文件|*.txt");
  EXPECT_EQ(view.requests[0].default_extension, "txt");
  EXPECT_TRUE(view.messages.empty());
  EXPECT_EQ(view.items(), (Items{"a", "", "b"}));
}

TEST_F(ImportExportTest, ExportOfAnEmptyListEmptiesTheFile) {
  FakeView view;
  const std::filesystem::path target = folder_.Write("old.txt", "old\r\n");
  view.answers.push_back(target);
  ExportRun(view);
  EXPECT_TRUE(std::filesystem::exists(target));
  EXPECT_EQ(TempFolder::Read(target), "");
}

TEST_F(ImportExportTest, CancelledExportWritesNothing) {
  FakeView view({"a"});
  view.answers.push_back(std::nullopt);
  ExportRun(view);
  EXPECT_TRUE(std::filesystem::is_empty(folder_.path()));
  EXPECT_TRUE(view.messages.empty());
  EXPECT_EQ(view.log.back(), "pos 0");
}

TEST_F(ImportExportTest, FailedExportIsReportedAndTheListStays) {
  // Tests may run as root, for whom permissions stop nothing; a folder in
  // the way and a file posing as a folder stop everyone.
  std::filesystem::create_directory(folder_.path() / "taken.txt");
  folder_.Write("plain", "");
  struct Case {
    std::filesystem::path target;
    std::string reason;
  };
  const Case cases[] = {
      {folder_.path() / "taken.txt", "Is a directory"},
      {folder_.path() / "plain" / "x.txt", "Not a directory"}};
  for (const Case& c : cases) {
    FakeView view({"a", "b"});
    view.answers.push_back(c.target);
    bool disabled_during_message = false;
    view.on_message = [&](const Message&) {
      disabled_during_message = view.AllActionButtonsDisabled();
    };
    ExportRun(view);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].kind, Message::Kind::kError);
    EXPECT_THAT(view.messages[0].text, HasSubstr(c.target.string()));
    EXPECT_THAT(view.messages[0].text, HasSubstr(c.reason));
    EXPECT_TRUE(disabled_during_message);
    EXPECT_EQ(view.items(), (Items{"a", "b"}));
    EXPECT_EQ(view.log.back(), "pos 0");
  }
}

TEST_F(ImportExportTest, ExportThenImportGivesTheSameLines) {
  const Items lines = {"a", "", "\xCB\xCE\xCC\xE5", "tab\there", " "};
  FakeView source(lines);
  const std::filesystem::path file = folder_.path() / "round.txt";
  source.answers.push_back(file);
  ExportRun(source);
  FakeView target;
  target.answers.push_back(file);
  ImportLines(target);
  EXPECT_EQ(target.items(), lines);
}

}  // namespace
}  // namespace dedup
