// The fragment collection through the real request object against servers
// on 127.0.0.1.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "core/check/fragments.h"
#include "core/text/encodings.h"
#include "tests/support/test_server.h"

namespace check {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kHtml = "text/html; charset=utf-8";

test::Response Page(int status, std::string body) {
  return test::Response{status, {{"Content-Type", kHtml}}, std::move(body)};
}

class CollectLiveTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server_.ok()) << server_.error(); }
  // The search path on the local server, as the real prefix has it.
  core::AnsiText Prefix(const std::string& path) const {
    return server_.Url(path) + "?tn=baidu&word=";
  }

  test::TestServer server_;
};

TEST_F(CollectLiveTest, QueriesTheSegmentAndKeepsItsPhrases) {
  server_.Route("/baidu", [](const test::Request&) {
    return Page(200,
                "<!--STATUS OK--><div id=\"content_left\">"
                "<h3><em>中文的句子</em>测试</h3>"  // 5 characters: too short
                "<div class=\"c-abstract\"><em>这是一个中文的句子</em>,"
                "<em>abc,def</em><em>不在这里的短语</em></div></div>");
  });
  const core::AnsiText segment =
      core::Utf8ToAnsi("我说这是一个中文的句子abc，def");
  core::TextList fragments;
  EXPECT_TRUE(
      CollectHighlightFragmentsAt(Prefix("/baidu"), segment, fragments));
  EXPECT_THAT(fragments, ElementsAre(core::Utf8ToAnsi("abc，def"),
                                     core::Utf8ToAnsi("这是一个中文的句子")));

  const auto requests = server_.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].method, "GET");
  EXPECT_EQ(requests[0].path, "/baidu");
  EXPECT_TRUE(requests[0].target.starts_with("/baidu?tn=baidu&word="));
  EXPECT_TRUE(requests[0].HasHeader("User-Agent"));
}

TEST_F(CollectLiveTest, OnlyAResultPageCountsAsAnAnswer) {
  server_.Route("/results", [](const test::Request&) {
    return Page(200, "<!--STATUS OK--><em>abcdefgh</em>");
  });
  server_.Route("/none", [](const test::Request&) {
    return Page(200,
                "<!--STATUS OK--><div class=\"nors\">很抱歉，没有找到与"
                "<em>abcdefgh</em>相关的网页。</div>");
  });
  server_.Route("/verify", [](const test::Request&) {
    return Page(200, "<title>百度安全验证</title><em>abcdefgh</em>");
  });
  server_.Route("/busy", [](const test::Request&) {
    return Page(503, "<!--STATUS OK--><em>abcdefgh</em>");
  });
  server_.Route("/moved", [this](const test::Request&) {
    return test::Response{302, {{"Location", server_.Url("/verify")}}, ""};
  });
  struct {
    const char* path;
    bool answered;
    size_t fragments;
  } cases[] = {{"/results", true, 1}, {"/none", true, 0},
               {"/verify", false, 0}, {"/moved", false, 0},
               {"/busy", false, 0},   {"/missing", false, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    core::TextList fragments;
    EXPECT_EQ(
        CollectHighlightFragmentsAt(Prefix(c.path), "abcdefgh", fragments),
        c.answered);
    EXPECT_EQ(fragments.size(), c.fragments);
  }
}

TEST(CollectUnreachableTest, NoListenerIsNoAnswer) {
  const std::string prefix =
      "http://127.0.0.1:" + std::to_string(test::UnusedPort()) +
      "/baidu?tn=baidu&word=";
  core::TextList fragments = {"kept"};
  EXPECT_FALSE(CollectHighlightFragmentsAt(prefix, "abcdefgh", fragments));
  EXPECT_THAT(fragments, ElementsAre("kept"));
}

}  // namespace
}  // namespace check
