#include "platform/http/http_request.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/platform/http/http_test_util.h"
#include "tests/support/test_server.h"

namespace {

using http_test::Exchange;
using http_test::Get;
using http_test::NewRequest;

const std::string kZeroBytes("a\0b\0\0c", 6);

class HttpRequestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.ok()) << server_.error();
    server_.Route("/echo", [](const test::Request& r) {
      return test::Response{200, {{"X-Method", r.method}}, r.body};
    });
    server_.Route("/binary", [](const test::Request&) {
      return test::Response{200, {}, kZeroBytes};
    });
  }
  test::TestServer server_;
};

TEST_F(HttpRequestTest, ErrorStatusesKeepTheirBodies) {
  server_.Route("/missing", [](const test::Request&) {
    return test::Response{404, {}, "nothing here"};
  });
  server_.Route("/broken", [](const test::Request&) {
    return test::Response{500, {}, "it broke"};
  });
  auto missing = Get(server_.Url("/missing"));
  EXPECT_TRUE(missing.sent);
  EXPECT_EQ(missing.status, 404);
  EXPECT_EQ(missing.body, "nothing here");
  auto broken = Get(server_.Url("/broken"));
  EXPECT_EQ(broken.status, 500);
  EXPECT_EQ(broken.body, "it broke");
}

TEST_F(HttpRequestTest, ZeroBytesTravelWholeBothWays) {
  auto down = Get(server_.Url("/binary"));
  EXPECT_EQ(down.status, 200);
  EXPECT_EQ(down.body, kZeroBytes);

  auto request = NewRequest();
  auto up = Exchange(*request, "POST", server_.Url("/echo"), kZeroBytes);
  EXPECT_EQ(up.status, 200);
  EXPECT_EQ(up.body, kZeroBytes);
  ASSERT_EQ(server_.requests().size(), 2u);
  EXPECT_EQ(server_.requests()[1].Header("Content-Length"), "6");
}

TEST_F(HttpRequestTest, TextBodyGoesOutAsUtf8) {
  auto request = NewRequest();
  ASSERT_TRUE(request->Open("POST", server_.Url("/echo"), false));
  ASSERT_TRUE(request->Send("wd=\xCE\xC4\xD7\xD6"));
  EXPECT_EQ(http_test::AsString(request->ResponseBody()),
            "wd=\xE6\x96\x87\xE5\xAD\x97");
}

TEST_F(HttpRequestTest, HeaderBlockIsTheFinalResponsesWithoutStatusLine) {
  server_.Route("/start", [](const test::Request&) {
    return test::Response{302, {{"Location", "/end"}, {"X-Hop", "1"}}, ""};
  });
  server_.Route("/end", [](const test::Request&) {
    return test::Response{200, {{"Set-Cookie", "a=1; path=/"}}, "end"};
  });
  auto result = Get(server_.Url("/start"));
  EXPECT_EQ(result.status, 200);
  EXPECT_EQ(result.headers,
            "Set-Cookie: a=1; path=/\r\nContent-Length: 3\r\n\r\n");
}

TEST_F(HttpRequestTest, OnlyTheHeadersSetGoOut) {
  auto request = NewRequest();
  ASSERT_TRUE(request->Open("GET", server_.Url("/echo"), false));
  EXPECT_TRUE(request->SetRequestHeader("User-Agent", "Mozilla/4.0"));
  EXPECT_TRUE(request->SetRequestHeader("X-Empty", ""));
  ASSERT_TRUE(request->Send(""));
  ASSERT_EQ(server_.requests().size(), 1u);
  test::HeaderList expected = {
      {"Host", "127.0.0.1:" + std::to_string(server_.port())},
      {"User-Agent", "Mozilla/4.0"},
      {"X-Empty", ""}};
  EXPECT_EQ(server_.requests()[0].headers, expected);
}

TEST_F(HttpRequestTest, HeadersThatWouldInjectLinesAreRefused) {
  auto request = NewRequest();
  ASSERT_TRUE(request->Open("GET", server_.Url("/echo"), false));
  EXPECT_FALSE(request->SetRequestHeader("X-A", "1\r\nX-Injected: yes"));
  EXPECT_FALSE(request->SetRequestHeader("X-A\r\nX-Injected", "yes"));
  EXPECT_FALSE(request->SetRequestHeader("X-A", "1\nX-Injected: yes"));
  EXPECT_FALSE(request->SetRequestHeader("X-A", std::string("1\0x", 3)));
  EXPECT_FALSE(request->SetRequestHeader("", ""));
  EXPECT_FALSE(request->SetRequestHeader("Bad Name", "v"));
  EXPECT_FALSE(request->SetRequestHeader("content-length", "100"));
  EXPECT_TRUE(request->Send(""));
  ASSERT_EQ(server_.requests().size(), 1u);
  const test::Request seen = server_.requests()[0];
  EXPECT_FALSE(seen.HasHeader("X-A"));
  EXPECT_FALSE(seen.HasHeader("X-Injected"));
  EXPECT_FALSE(seen.HasHeader("Content-Length"));
}

TEST_F(HttpRequestTest, RedirectsAreFollowedUpToTenTimes) {
  // /hop/N redirects to /hop/N-1; /hop/0 answers.
  for (int n = 0; n <= 11; ++n) {
    server_.Route("/hop/" + std::to_string(n), [n](const test::Request&) {
      if (n == 0) return test::Response{200, {}, "arrived"};
      return test::Response{
          302, {{"Location", "/hop/" + std::to_string(n - 1)}}, "moved"};
    });
  }
  auto ten = Get(server_.Url("/hop/10"));
  EXPECT_EQ(ten.status, 200);
  EXPECT_EQ(ten.body, "arrived");

  auto eleven = Get(server_.Url("/hop/11"));
  EXPECT_FALSE(eleven.sent);
  EXPECT_EQ(eleven.status, 0);
  EXPECT_EQ(eleven.body, "");

  auto request = NewRequest();
  ASSERT_TRUE(request->SetOption(platform::kOptionEnableRedirects, 0));
  auto stopped = Exchange(*request, "GET", server_.Url("/hop/3"));
  EXPECT_EQ(stopped.status, 302);
  EXPECT_EQ(stopped.body, "moved");
  EXPECT_NE(stopped.headers.find("Location: /hop/2\r\n"), std::string::npos);
}

TEST_F(HttpRequestTest, ChineseAndSpacesInTheAddressArriveEncoded) {
  auto result = Get(server_.Url("/echo?wd=\xCE\xC4\xD7\xD6 a%20b"));
  EXPECT_EQ(result.status, 200);
  ASSERT_EQ(server_.requests().size(), 1u);
  EXPECT_EQ(server_.requests()[0].target,
            "/echo?wd=%E6%96%87%E5%AD%97%20a%20b");
}

TEST_F(HttpRequestTest, MethodsReachTheServer) {
  for (const char* method : {"GET", "POST", "PUT", "DELETE", "OPTIONS"}) {
    auto request = NewRequest();
    auto result = Exchange(*request, method, server_.Url("/echo"));
    EXPECT_EQ(result.status, 200) << method;
    EXPECT_NE(result.headers.find(std::string("X-Method: ") + method),
              std::string::npos)
        << method;
  }
  auto request = NewRequest();
  auto head = Exchange(*request, "HEAD", server_.Url("/binary"));
  EXPECT_EQ(head.status, 200);
  EXPECT_EQ(head.body, "");
}

TEST_F(HttpRequestTest, NewObjectsStartCleanWhateverCameBefore) {
  server_.Route("/moved", [](const test::Request&) {
    return test::Response{302, {{"Location", "/echo"}}, "moved"};
  });
  {
    auto first = NewRequest();
    ASSERT_TRUE(first->SetOption(platform::kOptionEnableRedirects, 0));
    ASSERT_TRUE(first->Open("GET", server_.Url("/binary"), false));
    ASSERT_TRUE(first->SetRequestHeader("X-First", "1"));
    ASSERT_TRUE(first->Send(""));
    EXPECT_EQ(http_test::AsString(first->ResponseBody()), kZeroBytes);
  }
  // Objects made later share connections with it, nothing else.
  auto failed = Get("http://127.0.0.1:" + std::to_string(test::UnusedPort()));
  EXPECT_EQ(failed.status, 0);
  EXPECT_EQ(failed.body, "");
  auto followed = Get(server_.Url("/moved"));
  EXPECT_EQ(followed.status, 200);
  ASSERT_EQ(server_.requests().size(), 3u);
  EXPECT_FALSE(server_.requests()[2].HasHeader("X-First"));
}

TEST(HttpRequestMisuse, FailsWithoutEffectAndWithoutCrash) {
  auto request = NewRequest();
  ASSERT_NE(request, nullptr);
  // Nothing opened yet.
  EXPECT_FALSE(request->SetRequestHeader("X-A", "1"));
  EXPECT_FALSE(request->Send(""));
  EXPECT_EQ(request->Status(), 0);
  EXPECT_EQ(request->GetAllResponseHeaders(), "");
  EXPECT_TRUE(request->ResponseBody().empty());
  // Addresses and arguments the object cannot use.
  EXPECT_FALSE(request->Open("GET", "ftp://127.0.0.1/x", false));
  EXPECT_FALSE(request->Open("GET", "not an address", false));
  EXPECT_FALSE(request->Open("GET", "http://127.0.0.1/", true));
  EXPECT_FALSE(request->Open("G T", "http://127.0.0.1/", false));
  EXPECT_FALSE(request->Send(""));
  EXPECT_FALSE(request->SetTimeouts(-2, 0, 0, 0));
  EXPECT_FALSE(request->SetProxy(3, "127.0.0.1:1"));
  EXPECT_FALSE(request->SetProxy(platform::kProxySettingNamedProxy, ""));
  EXPECT_FALSE(request->SetOption(99, 1));
}

}  // namespace
