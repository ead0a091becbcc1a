// The duplicate remover's start with its skin library, run as a real
// process in a folder of its own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "skin/format/skin_block.h"
#include "skin/skin_set.h"
#include "tests/support/temp_folder.h"

namespace skin {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempFolder;
using ::testing::HasSubstr;

const fs::path kProgram = fs::path(PROJECT_BIN_DIR) / "text_dedup";

constexpr const char* kAsNobody =
    "setpriv --reuid=65534 --regid=65534 --clear-groups";

struct Outcome {
  int exit_code = -1;  // 124: still running when the time ran out
  std::string errors;
};

// Runs the program copied into `folder`, with message boxes answered by the
// preloaded helper and a time limit, so the test cannot hang on a window.
// With `as_nobody` the program runs as the unprivileged user 65534 (the
// test itself runs as root, which could write anywhere).
Outcome RunProgram(const fs::path& folder, int close_after_ms,
                   bool as_nobody = false) {
  TempFolder output;
  const fs::path errors = output.path() / "stderr";
  // In a sanitized build the sanitizer's runtime must come first of all
  // libraries, so it is preloaded ahead of the helper. Only the program gets
  // the preloads, not the time limit around it.
  std::string preload = DISMISS_MESSAGES_LIBRARY;
  if (std::string(SANITIZER_RUNTIME) != "") {
    preload = std::string(SANITIZER_RUNTIME) + " " + preload;
  }
  std::string command = "cd '" + folder.string() + "' && timeout -k 5 60";
  if (as_nobody) {
    // The leak checker cannot stop the world of a process that may not
    // trace itself; the other start tests check the same program for leaks.
    command += std::string(" ") + kAsNobody +
               " env ASAN_OPTIONS=detect_leaks=0 HOME=/nonexistent";
  }
  command += " env QT_QPA_PLATFORM=offscreen LD_PRELOAD='" + preload + "'";
  if (close_after_ms >= 0) {
    command += " SKIN_TEST_CLOSE_AFTER_MS=" + std::to_string(close_after_ms);
  }
  command += " ./text_dedup 2>'" + errors.string() + "'";
  const int status = std::system(command.c_str());
  Outcome outcome;
  if (WIFEXITED(status)) outcome.exit_code = WEXITSTATUS(status);
  outcome.errors = ReadBytes(errors);
  return outcome;
}

class ProgramStartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kProgram)) {
      GTEST_SKIP() << "text_dedup is not built in " << PROJECT_BIN_DIR
                   << "; build it to run the start-up tests";
    }
    fs::copy_file(kProgram, folder_.path() / "text_dedup");
  }
  TempFolder folder_;
};

TEST_F(ProgramStartTest, BrokenLibraryEndsWithAMessageAndAFailureStatus) {
  test::WriteBytes(folder_.path() / "SkinH_EL.dll", "not a library");
  const Outcome outcome = RunProgram(folder_.path(), -1);
  EXPECT_NE(outcome.exit_code, 0) << outcome.errors;
  EXPECT_NE(outcome.exit_code, 124) << "still running: " << outcome.errors;
  EXPECT_THAT(outcome.errors, HasSubstr("SkinH_EL.dll"));
  EXPECT_THAT(outcome.errors, HasSubstr("SkinH_AttachRes"));
  EXPECT_EQ(ReadBytes(folder_.path() / "SkinH_EL.dll"), "not a library");
}

TEST_F(ProgramStartTest, FirstStartWritesTheLibraryAndWearsSkinThirteen) {
  const Outcome outcome = RunProgram(folder_.path(), 1500);
  EXPECT_EQ(outcome.exit_code, 0) << outcome.errors;
  EXPECT_TRUE(ReadBytes(folder_.path() / "SkinH_EL.dll") ==
              ReadBytes(BUILT_SKIN_LIBRARY));
  Skin thirteen;
  ASSERT_EQ(ParseSkin(SkinBlock(13), &thirteen), SkinError::kNone);
  EXPECT_THAT(outcome.errors,
              HasSubstr("style-sheet-bytes=" +
                        std::to_string(thirteen.style_sheet.size())));
}

TEST_F(ProgramStartTest, StartsWhereItsUserCannotWrite) {
  // As installed: the library already beside the program, the folder not
  // writable for the user who starts it.
  if (geteuid() != 0) GTEST_SKIP() << "needs root to start as another user";
  const std::string probe = std::string(kAsNobody) + " test -r '" +
                            DISMISS_MESSAGES_LIBRARY + "' 2>/dev/null";
  if (std::system(probe.c_str()) != 0) {
    GTEST_SKIP() << "the unprivileged user cannot reach the build folder";
  }
  fs::copy_file(BUILT_SKIN_LIBRARY, folder_.path() / "SkinH_EL.dll");
  const std::string before = ReadBytes(folder_.path() / "SkinH_EL.dll");
  fs::permissions(folder_.path(),
                  fs::perms::owner_read | fs::perms::owner_exec |
                      fs::perms::group_read | fs::perms::group_exec |
                      fs::perms::others_read | fs::perms::others_exec);
  const Outcome outcome = RunProgram(folder_.path(), 1500, true);
  fs::permissions(folder_.path(), fs::perms::owner_all, fs::perm_options::add);
  EXPECT_EQ(outcome.exit_code, 0) << outcome.errors;
  EXPECT_THAT(outcome.errors, HasSubstr("style-sheet-bytes="));
  EXPECT_THAT(outcome.errors, ::testing::Not(HasSubstr("message-box:")));
  EXPECT_EQ(ReadBytes(folder_.path() / "SkinH_EL.dll"), before);
}

}  // namespace
}  // namespace skin
