// The console checker as a program. Runs that would query the search engine
// are made inside a network namespace of their own, which has no route
// anywhere, so no test ever leaves this machine.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/text/encodings.h"

namespace {

using ::testing::HasSubstr;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class CliProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::path(::testing::TempDir()) /
           ("originality_check_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Write(const std::string& name, const std::string& bytes) {
    const auto path = dir_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }

  // `args` are quoted by the caller where needed.
  Outcome Run(const std::string& args, bool isolated = false) {
    const auto out = dir_ / "stdout";
    const auto err = dir_ / "stderr";
    std::string command = std::string(isolated ? "unshare -rn " : "") +
                          PROJECT_BIN_DIR "/originality_check " + args + " >'" +
                          out.string() + "' 2>'" + err.string() + "'";
    const int raw = std::system(command.c_str());
    Outcome o;
    o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    o.out = Slurp(out);
    o.err = Slurp(err);
    return o;
  }

  bool CanIsolate() { return std::system("unshare -rn true 2>/dev/null") == 0; }

  std::filesystem::path dir_;
};

TEST_F(CliProcessTest, UsageAndInputErrorsExitTwoWithNothingOnStdout) {
  const std::string article = Write("a.txt", "abc");
  const std::string wide = Write("w.txt", std::string("\xFF\xFE"
                                                      "a\0",
                                                      4));
  struct {
    std::string args;
    const char* message;
  } cases[] = {
      {"", "no FILE given"},
      {"--jsn '" + article + "'", "unknown option --jsn"},
      {"'" + article + "' '" + article + "'", "only one FILE"},
      {"'" + (dir_ / "missing.txt").string() + "'", "cannot read"},
      {"'" + dir_.string() + "'", "cannot read"},
      {"'" + wide + "'", "UTF-16"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const Outcome o = Run(c.args);
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_THAT(o.err, HasSubstr(c.message));
  }
}

TEST_F(CliProcessTest, UnreachableEngineFailsEverySegment) {
  if (!CanIsolate()) GTEST_SKIP() << "no network namespace available (unshare)";
  const std::string text =
      "这是一篇测试文章，用来检查控制台程序。\n"
      "第二段落里有更多的文字，足够组成两个片段了吧。";
  const Outcome o = Run("'" + Write("a.txt", text) + "'", true);
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out,
            "1\t失败\t这是一篇测试文章，用来检查控制台程序。第二段落里有更多的"
            "文字，足够组成两\n"
            "2\t失败\t个片段了吧。\n"
            "文章字数: 43\n"
            "百度原创度: 检测失败\n"
            "\n" +
                text + "\n");
}

TEST_F(CliProcessTest, Utf8AndCp936FilesOfOneArticleGiveOneResult) {
  if (!CanIsolate()) GTEST_SKIP() << "no network namespace available (unshare)";
  const std::string text = "第一行的文字\r\n第二行 with ASCII\n第三行";
  const Outcome utf8 = Run("--json '" + Write("u.txt", text) + "'", true);
  const Outcome bom =
      Run("--json '" + Write("b.txt", "\xEF\xBB\xBF" + text) + "'", true);
  const Outcome cp936 =
      Run("--json -- '" + Write("g.txt", core::Utf8ToAnsi(text).bytes()) + "'",
          true);
  EXPECT_EQ(utf8.status, 1);
  EXPECT_THAT(utf8.out,
              ::testing::StartsWith(
                  "{\"characters\":25,\"rate\":\"检测失败\",\"segments\":[{"
                  "\"index\":1,\"text\":\"第一行的文字第二行 with "
                  "ASCII第三行\",\"status\":\"failed\",\"count\":null,"));
  EXPECT_EQ(bom.out, utf8.out);
  EXPECT_EQ(cp936.out, utf8.out);
  EXPECT_EQ(cp936.status, utf8.status);
}

}  // namespace
