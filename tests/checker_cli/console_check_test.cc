// The console checker's run and report, with the real fragment source
// against a search stand-in on 127.0.0.1.
#include "checker_cli/console_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/check/fragments.h"
#include "core/text/encodings.h"
#include "tests/support/test_server.h"

namespace cli {
namespace {

using ::testing::HasSubstr;

// Three segments of 36 characters; the ASCII word tells the stand-in which
// reply to give.
constexpr const char* kSegment1 =
    "alpha天下没有不散的筵席甲乙丙丁戊己庚辛壬癸子丑寅卯辰巳午未申酉戌亥";
constexpr const char* kSegment2 =
    "beta春眠不觉晓处处闻啼鸟甲乙丙丁戊己庚辛壬癸子丑寅卯辰巳午未申酉戌亥";
constexpr const char* kSegment3 =
    "gamma夜来风雨声花落知多少甲乙丙丁戊己庚辛壬癸子丑寅卯辰巳午未申酉戌";

class ConsoleCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.ok()) << server_.error();
    server_.Route("/baidu", [this](const test::Request& r) {
      const auto page = [](int status, std::string body) {
        return test::Response{
            status, {{"Content-Type", "text/html; charset=utf-8"}}, body};
      };
      if (r.target.find("alpha") != std::string::npos) {
        return page(200,
                    "<!--STATUS OK--><div id=\"content_left\">"
                    "<em>天下没有不散的筵席</em><em>甲乙丙</em></div>");
      }
      if (r.target.find("beta") != std::string::npos) {
        return page(200,
                    "<div class=\"nors\">没有找到与<em>beta春眠不觉晓处处闻啼鸟"
                    "</em></div>");
      }
      return gamma_answered_ ? page(200, "<!--STATUS OK-->")
                             : page(503, "busy");
    });
  }

  int Run(const ConsoleCheckOptions& options, std::string& out) {
    const core::AnsiText prefix = server_.Url("/baidu") + "?tn=baidu&word=";
    const core::AnsiText article = core::Utf8ToAnsi(
        std::string(kSegment1) + "\r\n" + kSegment2 + "\r\n" + kSegment3);
    std::ostringstream stream;
    const int status = RunConsoleCheck(
        article,
        [&prefix](const core::AnsiText& segment, core::TextList& fragments) {
          return check::CollectHighlightFragmentsAt(prefix, segment, fragments);
        },
        options, stream);
    out = stream.str();
    return status;
  }

  test::TestServer server_;
  bool gamma_answered_ = false;
};

TEST_F(ConsoleCheckTest, PlainRowsThenTotalsThenTheArticle) {
  std::string out;
  EXPECT_EQ(Run({}, out), kExitSomeFailed);
  EXPECT_EQ(out, std::string("1\t1\t") + kSegment1 + "\n" +  //
                     "2\t0\t" + kSegment2 + "\n" +           //
                     "3\t失败\t" + kSegment3 + "\n" +        //
                     "文章字数: 110\n"
                     "百度原创度: 50%\n"
                     "\n" +
                     kSegment1 + "\n" + kSegment2 + "\n" + kSegment3 + "\n");
}

TEST_F(ConsoleCheckTest, MarksAreRedOnATerminal) {
  gamma_answered_ = true;
  std::string out;
  ConsoleCheckOptions options;
  options.colour = true;
  EXPECT_EQ(Run(options, out), kExitAllAnswered);
  EXPECT_THAT(out, HasSubstr("百度原创度: 66.67%\n"));
  EXPECT_THAT(out, HasSubstr("\nalpha\x1b[31m天下没有不散的筵席\x1b[0m甲乙丙"));
}

TEST_F(ConsoleCheckTest, JsonHoldsSegmentsAndMarks) {
  std::string out;
  ConsoleCheckOptions options;
  options.json = true;
  EXPECT_EQ(Run(options, out), kExitSomeFailed);
  const std::string address =
      "\"address\":\"https://www.baidu.com/baidu?tn=baidu&word=";
  EXPECT_THAT(out, ::testing::StartsWith(
                       "{\"characters\":110,\"rate\":\"50%\",\"segments\":["
                       "{\"index\":1,\"text\":\"" +
                       std::string(kSegment1) +
                       "\",\"status\":\"ok\",\"count\":1,\"fragments\":["
                       "\"天下没有不散的筵席\"]," +
                       address + "alpha%E5%A4%A9"));
  EXPECT_THAT(out,
              HasSubstr("{\"index\":2,\"text\":\"" + std::string(kSegment2) +
                        "\",\"status\":\"ok\",\"count\":0,"
                        "\"fragments\":[]," +
                        address + "beta%E6%98%A5"));
  EXPECT_THAT(out,
              HasSubstr("{\"index\":3,\"text\":\"" + std::string(kSegment3) +
                        "\",\"status\":\"failed\",\"count\":null,"
                        "\"fragments\":[]," +
                        address + "gamma%E5%A4%9C"));
  EXPECT_THAT(out, ::testing::EndsWith("],\"marks\":[{\"start\":5,\"length\":9,"
                                       "\"text\":\"天下没有不散的筵席\"}]}\n"));
  // One object and nothing else: no plain rows.
  EXPECT_EQ(out.find("\t"), std::string::npos);
}

TEST(ConsoleCheckEmptyTest, NoSegmentIsNoFailure) {
  std::ostringstream out;
  ConsoleCheckOptions options;
  options.json = true;
  EXPECT_EQ(RunConsoleCheck("%%\r\n", {}, options, out), kExitAllAnswered);
  EXPECT_EQ(out.str(),
            "{\"characters\":3,\"rate\":\"\",\"segments\":[],\"marks\":[]}\n");
}

}  // namespace
}  // namespace cli
