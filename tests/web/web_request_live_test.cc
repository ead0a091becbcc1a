// WebRequest over the real request object against servers on 127.0.0.1.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/http/http_request.h"
#include "tests/support/proxy_process.h"
#include "tests/support/test_server.h"
#include "web/web_request.h"

namespace web {
namespace {

using core::AnsiText;

constexpr char kUserAgent[] =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

std::string AsString(const core::ByteBuffer& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string> HeaderNames(const test::Request& request) {
  std::vector<std::string> names;
  for (const auto& [name, value] : request.headers) names.push_back(name);
  return names;
}

class WebRequestLiveTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string error;
    ca_ = test::TestCa::Create(&error).release();
    if (ca_ == nullptr) ca_error_ = error;
  }
  static void TearDownTestSuite() {
    delete ca_;
    ca_ = nullptr;
  }

  void SetUp() override {
    ASSERT_NE(ca_, nullptr) << ca_error_;
    https_ = std::make_unique<test::TestServer>(ca_);
    ASSERT_TRUE(http_.ok()) << http_.error();
    ASSERT_TRUE(https_->ok()) << https_->error();
    for (test::TestServer* server : {&http_, https_.get()}) {
      server->Route("/page", [](const test::Request&) {
        return test::Response{
            200, {{"Content-Type", "text/html"}}, "<em>x</em>"};
      });
    }
  }

  // Options for `address` on an object that trusts the test CA.
  static WebRequestOptions Trusting(const std::string& address) {
    WebRequestOptions options;
    options.address = address;
    platform::HttpRequestSettings settings;
    settings.extra_ca_file = ca_->ca_file();
    options.request_object = platform::CreateHttpRequest(settings);
    return options;
  }

  static inline test::TestCa* ca_ = nullptr;
  static inline std::string ca_error_;
  test::TestServer http_;
  std::unique_ptr<test::TestServer> https_;
};

TEST_F(WebRequestLiveTest, CheckersRequestSendsTheDefaultHeadersInOrder) {
  WebRequestOptions options = Trusting(https_->Url("/page?wd=abc"));
  EXPECT_EQ(AsString(WebRequest(options)), "<em>x</em>");
  EXPECT_EQ(options.status, 200);
  EXPECT_NE(options.response_headers.view().find("Content-Type: text/html"),
            std::string_view::npos);

  const std::vector<test::Request> requests = https_->requests();
  ASSERT_EQ(requests.size(), 1u);
  const test::Request& seen = requests[0];
  EXPECT_EQ(seen.method, "GET");
  EXPECT_EQ(seen.target, "/page?wd=abc");
  EXPECT_EQ(seen.Header("Accept"), "*/*");
  EXPECT_EQ(seen.Header("Referer"), https_->Url("/page?wd=abc"));
  EXPECT_EQ(seen.Header("Accept-Language"), "zh-cn");
  EXPECT_EQ(seen.Header("User-Agent"), kUserAgent);
  EXPECT_FALSE(seen.HasHeader("Content-Type"));
  EXPECT_FALSE(seen.HasHeader("Cookie"));
  std::vector<std::string> ours;
  for (const std::string& name : HeaderNames(seen)) {
    if (name == "Accept" || name == "Referer" || name == "Accept-Language" ||
        name == "User-Agent") {
      ours.push_back(name);
    }
  }
  EXPECT_EQ(ours, (std::vector<std::string>{"Accept", "Referer",
                                            "Accept-Language", "User-Agent"}));
}

TEST_F(WebRequestLiveTest, UntrustedCertificateFailsLikeAnUnreachableHost) {
  WebRequestOptions options;
  options.address = https_->Url("/page");
  options.timeout_seconds = 5;
  EXPECT_TRUE(WebRequest(options).empty());
  EXPECT_EQ(options.status, 0);
  EXPECT_EQ(options.response_headers, AnsiText(""));
  EXPECT_TRUE(https_->requests().empty());
}

TEST_F(WebRequestLiveTest, ErrorStatusKeepsBodyAndCookiesInAnyCase) {
  const std::string body("e\0rr\0", 5);
  http_.Route("/fail", [&body](const test::Request&) {
    return test::Response{500,
                          {{"Set-Cookie", "a = 1; path=/"},
                           {"set-cookie", "b=2"},
                           {"SET-COOKIE", "gone=deleted; Max-Age=0"}},
                          body};
  });
  http_.Route("/missing", [](const test::Request&) {
    return test::Response{404, {}, "no such page"};
  });

  WebRequestOptions options;
  options.address = http_.Url("/fail");
  options.cookies = AnsiText("");  // present: the response's cookies merge
  EXPECT_EQ(AsString(WebRequest(options)), body);
  EXPECT_EQ(options.status, 500);
  EXPECT_EQ(options.returned_cookies, AnsiText("a=1; b=2"));
  EXPECT_EQ(options.cookies, AnsiText("a=1; b=2"));
  const std::string_view headers = options.response_headers.view();
  EXPECT_NE(headers.find("Set-Cookie: b=2"), std::string_view::npos);
  EXPECT_NE(headers.find("Set-Cookie: gone=deleted"), std::string_view::npos);

  // The merged cookies go back on the next request.
  options.address = http_.Url("/missing");
  EXPECT_EQ(AsString(WebRequest(options)), "no such page");
  EXPECT_EQ(options.status, 404);
  EXPECT_EQ(options.cookies, AnsiText("a=1; b=2"));
  EXPECT_EQ(http_.requests().back().Header("Cookie"), "a=1; b=2");
}

TEST_F(WebRequestLiveTest, PostSendsBytesWithZerosWhole) {
  http_.Route("/echo", [](const test::Request& request) {
    return test::Response{200, {}, request.body};
  });
  WebRequestOptions options;
  options.address = http_.Url("/echo");
  options.method = 1;
  options.body_bytes = {'k', 0, '=', 0xD6, 0xD0, 0};
  EXPECT_EQ(WebRequest(options), options.body_bytes);
  const std::vector<test::Request> requests = http_.requests();
  ASSERT_EQ(requests.size(), 1u);
  const test::Request& seen = requests[0];
  EXPECT_EQ(seen.method, "POST");
  EXPECT_EQ(seen.body.size(), 6u);
  EXPECT_EQ(seen.Header("Content-Type"), "application/x-www-form-urlencoded");
}

TEST_F(WebRequestLiveTest, RedirectsFollowedUnlessSwitchedOff) {
  http_.Route("/moved", [this](const test::Request&) {
    return test::Response{302, {{"Location", http_.Url("/page")}}, "moved"};
  });
  for (const bool no_redirect : {false, true}) {
    WebRequestOptions options;
    options.address = http_.Url("/moved");
    options.no_redirect = no_redirect;
    const std::string body = AsString(WebRequest(options));
    EXPECT_EQ(options.status, no_redirect ? 302 : 200);
    EXPECT_EQ(body, no_redirect ? "moved" : "<em>x</em>");
  }
}

TEST_F(WebRequestLiveTest, HeaderLinesCannotCarryLineBreaks) {
  WebRequestOptions options;
  options.address = http_.Url("/page");
  options.headers =
      "X-A: 1\r\nX-B: a\rX-Evil: 1\r\nX-C: b\nX-Evil: 2\r\nX-D: 4";
  EXPECT_EQ(AsString(WebRequest(options)), "<em>x</em>");
  const std::vector<test::Request> requests = http_.requests();
  ASSERT_EQ(requests.size(), 1u);
  const test::Request& seen = requests[0];
  EXPECT_EQ(seen.Header("X-A"), "1");
  EXPECT_EQ(seen.Header("X-D"), "4");
  EXPECT_FALSE(seen.HasHeader("X-B"));
  EXPECT_FALSE(seen.HasHeader("X-C"));
  EXPECT_FALSE(seen.HasHeader("X-Evil"));
  EXPECT_EQ(seen.Header("User-Agent"), kUserAgent);
}

TEST_F(WebRequestLiveTest, NoAnswerGivesEmptyResults) {
  test::SilentServer silent;
  ASSERT_TRUE(silent.ok());
  const std::string addresses[] = {
      "http://127.0.0.1:" + std::to_string(test::UnusedPort()) + "/",
      "http://127.0.0.1:" + std::to_string(silent.port()) + "/",
  };
  for (const std::string& address : addresses) {
    SCOPED_TRACE(address);
    WebRequestOptions options;
    options.address = address;
    options.timeout_seconds = 1;
    options.cookies = AnsiText("k = v; k=w");
    EXPECT_TRUE(WebRequest(options).empty());
    EXPECT_EQ(options.status, 0);
    EXPECT_EQ(options.response_headers, AnsiText(""));
    EXPECT_EQ(options.returned_cookies, AnsiText("k=v"));
  }
}

TEST_F(WebRequestLiveTest, ProxyCredentialsReachOnlyTheProxy) {
  std::string why;
  auto proxy = test::ProxyProcess::Start("user", "secret", &why);
  if (!proxy) GTEST_SKIP() << "no proxy to test with: " << why;
  auto is_refusal = [](int status) { return status == 407 || status == 401; };

  const struct {
    const char* password;
    std::optional<std::int32_t> proxy_auth;
    bool through;
  } cases[] = {
      // Refusals first: a tunnel the proxy has let through may be kept for
      // the next request to the same origin.
      {"wrong", std::nullopt, false},
      {"secret", 2, false},  // no credentials sent
      {"secret", std::nullopt, true},
  };
  for (test::TestServer* server : {&http_, https_.get()}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(server->Url() + " " + c.password);
      const std::size_t before = server->requests().size();
      WebRequestOptions options = Trusting(server->Url("/page"));
      options.proxy = proxy->address();
      options.proxy_user = "user";
      options.proxy_password = c.password;
      options.proxy_auth = c.proxy_auth;
      options.timeout_seconds = 5;
      const std::string body = AsString(WebRequest(options));
      if (c.through) {
        EXPECT_EQ(options.status, 200);
        EXPECT_EQ(body, "<em>x</em>");
        ASSERT_EQ(server->requests().size(), before + 1);
        EXPECT_FALSE(
            server->requests().back().HasHeader("Proxy-Authorization"));
      } else {
        EXPECT_PRED1(is_refusal, options.status);
        EXPECT_EQ(server->requests().size(), before);
      }
    }
  }
}

}  // namespace
}  // namespace web
