#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/http/http_request.h"
#include "tests/platform/http/http_test_util.h"
#include "tests/support/proxy_process.h"
#include "tests/support/test_server.h"

namespace {

using http_test::Exchange;
using http_test::NewRequest;
using http_test::Result;

// Basic credentials for user:secret and user:wrong.
constexpr const char* kGoodCredential = "Basic dXNlcjpzZWNyZXQ=";
constexpr const char* kBadCredential = "Basic dXNlcjp3cm9uZw==";

class HttpProxyTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string error;
    ca_ = test::TestCa::Create(&error).release();
    if (ca_ == nullptr) setup_error_ = error;
  }
  static void TearDownTestSuite() {
    delete ca_;
    ca_ = nullptr;
  }

  void SetUp() override {
    ASSERT_NE(ca_, nullptr) << setup_error_;
    std::string why;
    proxy_ = test::ProxyProcess::Start("user", "secret", &why);
    if (!proxy_) GTEST_SKIP() << "no proxy to test with: " << why;
    https_ = std::make_unique<test::TestServer>(ca_);
    ASSERT_TRUE(http_.ok() && https_->ok());
    for (test::TestServer* server : {&http_, https_.get()}) {
      server->Route("/page", [](const test::Request&) {
        return test::Response{200, {}, "through"};
      });
    }
  }

  Result ViaProxy(const std::string& url, const char* credential) {
    auto request = NewRequest(ca_);
    EXPECT_TRUE(request->SetTimeouts(5000, 5000, 5000, 5000));
    EXPECT_TRUE(request->SetProxy(platform::kProxySettingNamedProxy,
                                  proxy_->address()));
    EXPECT_TRUE(request->Open("GET", url, false));
    EXPECT_TRUE(request->SetRequestHeader("Proxy-Authorization", credential));
    EXPECT_TRUE(request->SetRequestHeader("X-Origin-Sees", "this"));
    Result result;
    result.sent = request->Send("");
    result.status = request->Status();
    result.body = http_test::AsString(request->ResponseBody());
    result.headers = request->GetAllResponseHeaders();
    return result;
  }

  static inline test::TestCa* ca_ = nullptr;
  static inline std::string setup_error_;
  std::unique_ptr<test::ProxyProcess> proxy_;
  test::TestServer http_;
  std::unique_ptr<test::TestServer> https_;
};

TEST_F(HttpProxyTest, CredentialsReachTheProxyButNeverTheOrigin) {
  for (test::TestServer* server : {&http_, https_.get()}) {
    SCOPED_TRACE(server->Url());
    Result result = ViaProxy(server->Url("/page"), kGoodCredential);
    EXPECT_TRUE(result.sent);
    EXPECT_EQ(result.status, 200);
    EXPECT_EQ(result.body, "through");
    ASSERT_EQ(server->requests().size(), 1u);
    const test::Request seen = server->requests()[0];
    EXPECT_EQ(seen.Header("X-Origin-Sees"), "this");
    EXPECT_FALSE(seen.HasHeader("Proxy-Authorization"));
  }
}

TEST_F(HttpProxyTest, RefusedCredentialsGiveTheProxysAnswerOnly) {
  // Plain HTTP: the proxy's refusal is the response. Through a tunnel the
  // request fails, and only the proxy's status is passed on. (This proxy
  // program refuses with 401 where 407 would be usual.)
  auto is_refusal = [](int status) { return status == 407 || status == 401; };
  Result plain = ViaProxy(http_.Url("/page"), kBadCredential);
  EXPECT_PRED1(is_refusal, plain.status);
  Result tunnel = ViaProxy(https_->Url("/page"), kBadCredential);
  EXPECT_FALSE(tunnel.sent);
  EXPECT_PRED1(is_refusal, tunnel.status);
  EXPECT_EQ(tunnel.body, "");
  EXPECT_EQ(tunnel.headers, "");
  EXPECT_TRUE(http_.requests().empty());
  EXPECT_TRUE(https_->requests().empty());
}

TEST_F(HttpProxyTest, ATunnelIsNeverLentToAnotherCredential) {
  for (test::TestServer* server : {&http_, https_.get()}) {
    SCOPED_TRACE(server->Url());
    EXPECT_EQ(ViaProxy(server->Url("/page"), kGoodCredential).status, 200);
    Result refused = ViaProxy(server->Url("/page"), kBadCredential);
    EXPECT_NE(refused.status, 200);
    EXPECT_EQ(server->requests().size(), 1u);
  }
}

TEST(HttpNoProxy, ProxyCredentialsGoNowhereWithoutAProxy) {
  test::TestServer server;
  ASSERT_TRUE(server.ok());
  auto request = NewRequest();
  ASSERT_TRUE(request->Open("GET", server.Url("/"), false));
  EXPECT_TRUE(
      request->SetRequestHeader("Proxy-Authorization", kGoodCredential));
  EXPECT_TRUE(request->Send(""));
  EXPECT_EQ(request->Status(), 404);
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_FALSE(server.requests()[0].HasHeader("Proxy-Authorization"));
}

}  // namespace
