#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "skin/startup.h"
#include "tests/support/temp_folder.h"

namespace skin {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;
using Names = std::vector<std::string>;

TEST(EnsureSkinLibraryTest, WritesTheBuiltLibraryWhenNothingIsThere) {
  TempFolder folder;
  EnsureSkinLibrary(folder.path());
  EXPECT_EQ(folder.Names(), Names{"SkinH_EL.dll"});
  const fs::path written = folder.path() / "SkinH_EL.dll";
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(written)));
  const std::string built = ReadBytes(BUILT_SKIN_LIBRARY);
  ASSERT_FALSE(built.empty());
  EXPECT_TRUE(ReadBytes(written) == built) << "the bytes differ";
  EXPECT_NE(fs::status(written).permissions() & fs::perms::owner_read,
            fs::perms::none);
}

TEST(EnsureSkinLibraryTest, AnythingAtThePathIsLeftAlone) {
  TempFolder folder;
  const fs::path target = folder.path() / "SkinH_EL.dll";

  fs::create_directory(target);
  EnsureSkinLibrary(folder.path());
  EXPECT_TRUE(fs::is_directory(fs::symlink_status(target)));
  EXPECT_TRUE(fs::is_empty(target));
  fs::remove(target);

  WriteBytes(target, "an older library, whatever it holds");
  const auto written_at = fs::last_write_time(target);
  EnsureSkinLibrary(folder.path());
  EXPECT_EQ(ReadBytes(target), "an older library, whatever it holds");
  EXPECT_EQ(fs::last_write_time(target), written_at);
  fs::remove(target);

  WriteBytes(target, "");
  EnsureSkinLibrary(folder.path());
  EXPECT_EQ(fs::file_size(target), 0u);
  fs::remove(target);

  fs::create_symlink("nowhere", target);
  EnsureSkinLibrary(folder.path());
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(target)));
  EXPECT_EQ(fs::read_symlink(target), "nowhere");
  EXPECT_FALSE(fs::exists(folder.path() / "nowhere"));

  EXPECT_EQ(folder.Names(), Names{"SkinH_EL.dll"});
}

TEST(EnsureSkinLibraryTest, AFolderThatCannotTakeTheFileIsNoFault) {
  TempFolder folder;
  EnsureSkinLibrary(folder.path() / "absent");
  WriteBytes(folder.path() / "a_file", "x");
  EnsureSkinLibrary(folder.path() / "a_file");
  EXPECT_EQ(folder.Names(), Names{"a_file"});
}

// A write cut short must leave no partial library: the next start would
// find it, keep it and fail on it for good.
TEST(EnsureSkinLibraryTest, AWriteCutShortLeavesNothingBehind) {
  TempFolder folder;
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    EnsureSkinLibrary(folder.path());
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(folder.Names(), Names{});

  // Once the limit is gone, the library is written in full.
  EnsureSkinLibrary(folder.path());
  EXPECT_EQ(fs::file_size(folder.path() / "SkinH_EL.dll"),
            fs::file_size(BUILT_SKIN_LIBRARY));
}

}  // namespace
}  // namespace skin
