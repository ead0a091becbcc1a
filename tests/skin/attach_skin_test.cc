#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/dynlib/dynamic_library.h"
#include "skin/skin_set.h"
#include "skin/startup.h"
#include "tests/skin/fake_skin_call.h"
#include "tests/support/temp_folder.h"

namespace skin {
namespace {

namespace fs = std::filesystem;
using platform::DynamicLibrary;
using test::TempFolder;
using ::testing::HasSubstr;

// A program folder holding a copy of `library` under the skin library's
// name. Every folder is a new file, so every test loads a fresh copy.
class ProgramFolder {
 public:
  explicit ProgramFolder(const fs::path& library) {
    fs::copy_file(library, path() / "SkinH_EL.dll");
  }
  const fs::path& path() const { return folder_.path(); }

  // What the fake library recorded: the loaded copy, opened a second time.
  FakeSkinCall LastCall() const {
    auto library = DynamicLibrary::Open((path() / "SkinH_EL.dll").string(),
                                        DynamicLibrary::Lifetime::kKeepLoaded);
    if (!library) return {};
    auto* last =
        library->FindFunction<FakeSkinLastCallFunction>("FakeSkinLastCall");
    return last != nullptr ? *last() : FakeSkinCall{};
  }

 private:
  TempFolder folder_;
};

TEST(AttachSkinTest, PassesTheSkinTheEmptyTextAndThreeZeros) {
  struct Case {
    int number;
    bool with_skin;
  };
  for (const Case c : {Case{13, true}, Case{1, true}, Case{33, true},
                       Case{0, false}, Case{34, false}, Case{-5, false}}) {
    ProgramFolder program(FAKE_SKIN_LIBRARY);
    EXPECT_EQ(AttachSkin(c.number, program.path()), std::nullopt) << c.number;
    const FakeSkinCall call = program.LastCall();
    EXPECT_EQ(call.calls, 1) << c.number;
    if (c.with_skin) {
      EXPECT_EQ(call.skin, SkinBlock(c.number).data()) << c.number;
      EXPECT_EQ(call.size, static_cast<int>(SkinBlock(c.number).size()))
          << c.number;
    } else {
      EXPECT_EQ(call.skin, nullptr) << c.number;
      EXPECT_EQ(call.size, 0) << c.number;
    }
    EXPECT_FALSE(call.password_is_null) << c.number;
    EXPECT_STREQ(call.password, "") << c.number;
    EXPECT_EQ(call.reserved[0], 0);
    EXPECT_EQ(call.reserved[1], 0);
    EXPECT_EQ(call.reserved[2], 0);
  }
}

TEST(AttachSkinTest, StartupSkinIsThirteen) {
  ProgramFolder program(FAKE_SKIN_LIBRARY);
  EXPECT_EQ(ApplyStartupSkin(program.path()), std::nullopt);
  EXPECT_EQ(program.LastCall().skin, SkinBlock(13).data());
}

TEST(AttachSkinTest, WritesAndLoadsTheRealLibraryWhenMissing) {
  TempFolder program;
  // Without an application the library draws nothing, but it loads and
  // answers.
  EXPECT_EQ(AttachSkin(13, program.path()), std::nullopt);
  EXPECT_TRUE(fs::is_regular_file(program.path() / "SkinH_EL.dll"));
}

TEST(AttachSkinTest, FailureMessageNamesTheFileAndTheFunction) {
  TempFolder not_a_library;
  test::WriteBytes(not_a_library.path() / "SkinH_EL.dll",
                   "this is not a library");
  ProgramFolder without_export(NO_EXPORT_LIBRARY);
  TempFolder folder_in_the_way;
  fs::create_directory(folder_in_the_way.path() / "SkinH_EL.dll");
  TempFolder nowhere;  // Nothing can be written there, nothing found.

  const fs::path cases[] = {not_a_library.path(), without_export.path(),
                            folder_in_the_way.path(),
                            nowhere.path() / "absent"};
  for (const fs::path& program_dir : cases) {
    const auto message = AttachSkin(13, program_dir);
    ASSERT_TRUE(message.has_value()) << program_dir;
    EXPECT_THAT(*message, HasSubstr("SkinH_EL.dll")) << program_dir;
    EXPECT_THAT(*message, HasSubstr("SkinH_AttachRes")) << program_dir;
  }
  EXPECT_THAT(*AttachSkin(13, not_a_library.path()),
              HasSubstr((not_a_library.path() / "SkinH_EL.dll").string()));
}

}  // namespace
}  // namespace skin
