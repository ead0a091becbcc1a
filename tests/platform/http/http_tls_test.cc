#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/http/http_request.h"
#include "tests/platform/http/http_test_util.h"
#include "tests/support/test_server.h"

namespace {

using http_test::Exchange;
using http_test::Get;
using http_test::NewRequest;

class HttpsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string error;
    ca_ = test::TestCa::Create(&error).release();
    wrong_host_ca_ =
        test::TestCa::Create(&error, "DNS:elsewhere.invalid").release();
    setup_error_ = error;
  }
  static void TearDownTestSuite() {
    delete ca_;
    delete wrong_host_ca_;
    ca_ = wrong_host_ca_ = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(ca_, nullptr) << setup_error_;
    ASSERT_NE(wrong_host_ca_, nullptr) << setup_error_;
  }

  static inline test::TestCa* ca_ = nullptr;
  static inline test::TestCa* wrong_host_ca_ = nullptr;
  static inline std::string setup_error_;
};

test::Response Page(const test::Request&) {
  return test::Response{
      200, {{"Content-Type", "text/html"}}, "<em>secure</em>"};
}

TEST_F(HttpsTest, TrustedCertificateGetsThePage) {
  test::TestServer server(ca_);
  ASSERT_TRUE(server.ok()) << server.error();
  server.Route("/page", Page);
  auto result = Get(server.Url("/page"), ca_);
  EXPECT_EQ(result.status, 200);
  EXPECT_EQ(result.body, "<em>secure</em>");
}

TEST_F(HttpsTest, CertificateFailuresLookLikeAnUnreachableHost) {
  test::TestServer server(ca_);
  test::TestServer wrong_host(wrong_host_ca_);
  ASSERT_TRUE(server.ok() && wrong_host.ok());
  server.Route("/page", Page);
  wrong_host.Route("/page", Page);

  struct Case {
    const char* what;
    std::string url;
    const test::TestCa* trusted;
  };
  const Case cases[] = {
      {"unknown authority", server.Url("/page"), nullptr},
      {"name mismatch", wrong_host.Url("/page"), wrong_host_ca_},
  };
  for (const Case& c : cases) {
    auto request = NewRequest(c.trusted);
    // Asking to ignore certificate errors changes nothing.
    EXPECT_TRUE(
        request->SetOption(platform::kOptionSslErrorIgnoreFlags, 0x3300));
    auto result = Exchange(*request, "GET", c.url);
    EXPECT_FALSE(result.sent) << c.what;
    EXPECT_EQ(result.status, 0) << c.what;
    EXPECT_EQ(result.body, "") << c.what;
    EXPECT_EQ(result.headers, "") << c.what;
  }
  EXPECT_TRUE(server.requests().empty());
  EXPECT_TRUE(wrong_host.requests().empty());
}

TEST_F(HttpsTest, NewObjectsOneAfterAnotherShareOneConnection) {
  test::TestServer server(ca_);
  ASSERT_TRUE(server.ok());
  server.Route("/page", Page);
  // As a check run makes them: a fresh object per segment.
  for (int i = 0; i < 28; ++i) {
    auto result = Get(server.Url("/page?segment=" + std::to_string(i)), ca_);
    ASSERT_EQ(result.status, 200) << i;
  }
  EXPECT_EQ(server.accepted_connections(), 1);
  EXPECT_EQ(server.tls_full_handshakes(), 1);

  // The cache is what saves them: without it each object pays in full.
  platform::HttpRequestSettings alone;
  alone.extra_ca_file = ca_->ca_file();
  alone.reuse_connections = false;
  for (int i = 0; i < 3; ++i) {
    auto request = platform::CreateHttpRequest(alone);
    ASSERT_EQ(Exchange(*request, "GET", server.Url("/page")).status, 200);
  }
  EXPECT_EQ(server.accepted_connections(), 4);
  EXPECT_EQ(server.tls_full_handshakes(), 4);
}

TEST_F(HttpsTest, ObjectsOnSeveralThreadsShareTheCacheSafely) {
  test::TestServer server(ca_);
  ASSERT_TRUE(server.ok());
  server.Route("/page", Page);
  constexpr int kThreads = 4;
  constexpr int kEach = 10;
  std::atomic<int> good{0};
  {
    std::vector<std::jthread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&] {
        for (int i = 0; i < kEach; ++i) {
          if (Get(server.Url("/page"), ca_).body == "<em>secure</em>") ++good;
        }
      });
    }
  }
  EXPECT_EQ(good, kThreads * kEach);
  // Never more connections than requests in flight at once.
  EXPECT_LE(server.accepted_connections(), kThreads);
}

TEST_F(HttpsTest, ANewConnectionResumesTheTlsSession) {
  test::TestServer server(ca_);
  ASSERT_TRUE(server.ok());
  server.Route("/page", Page);
  server.Route("/last", [](const test::Request&) {
    return test::Response{200, {{"Connection", "close"}}, "bye"};
  });
  EXPECT_EQ(Get(server.Url("/last"), ca_).status, 200);
  EXPECT_EQ(Get(server.Url("/page"), ca_).status, 200);
  EXPECT_EQ(server.accepted_connections(), 2);
  EXPECT_EQ(server.tls_full_handshakes(), 1);
  EXPECT_EQ(server.tls_resumed_handshakes(), 1);
}

}  // namespace
