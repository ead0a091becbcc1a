#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/http/http_request.h"
#include "tests/platform/http/http_test_util.h"
#include "tests/support/test_server.h"

namespace {

using http_test::Exchange;
using http_test::NewRequest;
using http_test::Result;
using std::chrono::milliseconds;

constexpr int kTimeoutMs = 1000;
// Time-outs are checked against a generous bound only: the point is that
// they fire at all, and not minutes later.
constexpr milliseconds kGenerousBound{kTimeoutMs + 5000};

Result GetWithTimeout(const std::string& url, int ms = kTimeoutMs) {
  auto request = NewRequest();
  EXPECT_TRUE(request->SetTimeouts(ms, ms, ms, ms));
  return Exchange(*request, "GET", url);
}

void ExpectFailed(const Result& result) {
  EXPECT_FALSE(result.sent);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.body, "");
  EXPECT_EQ(result.headers, "");
}

TEST(HttpFailureTest, SilentServersTimeOut) {
  test::SilentServer silent;  // accepts, never reads, never answers
  test::TestServer server;
  ASSERT_TRUE(silent.ok() && server.ok());
  server.RawRoute("/hang", [](const test::Request&, test::Connection& c) {
    c.Sleep(std::chrono::seconds(60));
  });
  server.RawRoute("/half", [](const test::Request&, test::Connection& c) {
    c.Write("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc");
    c.Sleep(std::chrono::seconds(60));
  });
  const std::string cases[] = {
      "http://127.0.0.1:" + std::to_string(silent.port()) + "/",
      // The TLS handshake itself never gets an answer.
      "https://127.0.0.1:" + std::to_string(silent.port()) + "/",
      server.Url("/hang"),
      server.Url("/half"),
  };
  for (const std::string& url : cases) {
    Result result = GetWithTimeout(url);
    ExpectFailed(result);
    EXPECT_GE(result.elapsed, milliseconds(kTimeoutMs - 50)) << url;
    EXPECT_LT(result.elapsed, kGenerousBound) << url;
  }
}

TEST(HttpFailureTest, UploadNobodyReadsTimesOut) {
  test::SilentServer silent;
  ASSERT_TRUE(silent.ok());
  // Far more than the socket buffers hold, so sending itself stalls.
  const std::string body(32 << 20, 'u');
  auto request = NewRequest();
  ASSERT_TRUE(
      request->SetTimeouts(kTimeoutMs, kTimeoutMs, kTimeoutMs, kTimeoutMs));
  Result result =
      Exchange(*request, "POST",
               "http://127.0.0.1:" + std::to_string(silent.port()) + "/", body);
  ExpectFailed(result);
  EXPECT_LT(result.elapsed, kGenerousBound);
}

TEST(HttpFailureTest, SlowButSteadyAnswerOutlastsTheTimeout) {
  test::TestServer server;
  ASSERT_TRUE(server.ok());
  // Fifteen pieces 200 ms apart: the exchange takes three times the
  // time-out, yet bytes never stop moving for long.
  server.RawRoute("/slow", [](const test::Request&, test::Connection& c) {
    c.Write("HTTP/1.1 200 OK\r\nContent-Length: 15\r\n\r\n");
    for (int i = 0; i < 15; ++i) {
      if (!c.Sleep(milliseconds(200)) || !c.Write("x")) return;
    }
  });
  Result result = GetWithTimeout(server.Url("/slow"));
  EXPECT_TRUE(result.sent);
  EXPECT_EQ(result.status, 200);
  EXPECT_EQ(result.body, std::string(15, 'x'));
  EXPECT_GT(result.elapsed, milliseconds(kTimeoutMs));
}

TEST(HttpFailureTest, BrokenConnectionsFail) {
  test::TestServer server;
  ASSERT_TRUE(server.ok());
  server.RawRoute("/reset", [](const test::Request&, test::Connection& c) {
    c.Write("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" +
            std::string(100, 'x'));
    c.Sleep(milliseconds(50));
    c.Reset();
  });
  server.RawRoute("/closed", [](const test::Request&, test::Connection& c) {
    c.Write("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" +
            std::string(100, 'x'));
  });
  const std::string cases[] = {
      server.Url("/reset"),
      server.Url("/closed"),
      "http://127.0.0.1:" + std::to_string(test::UnusedPort()) + "/",
  };
  for (const std::string& url : cases) {
    SCOPED_TRACE(url);
    ExpectFailed(GetWithTimeout(url, 5000));
  }
}

TEST(HttpFailureTest, BodyBeyondTheBoundFails) {
  test::TestServer server;
  ASSERT_TRUE(server.ok());
  const std::size_t bound = platform::kMaxResponseBodyBytes;
  const std::string piece(1 << 16, 'z');
  // Streamed without a length, so only counting the bytes can stop it.
  server.RawRoute("/endless", [&](const test::Request&, test::Connection& c) {
    if (!c.Write("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n")) return;
    for (std::size_t sent = 0; sent <= bound; sent += piece.size()) {
      if (!c.Write(piece)) return;
    }
  });
  // Announced, on a connection the server would keep open.
  const std::string big(bound + 1, 'y');
  server.Route("/announced", [&](const test::Request& r) {
    return test::Response{
        200, {}, r.target == "/announced?exact" ? big.substr(0, bound) : big};
  });
  server.Route("/small", [](const test::Request&) {
    return test::Response{200, {}, "small"};
  });

  Result exact = GetWithTimeout(server.Url("/announced?exact"), 10000);
  EXPECT_EQ(exact.status, 200);
  EXPECT_EQ(exact.body.size(), bound);

  ExpectFailed(GetWithTimeout(server.Url("/endless"), 10000));

  EXPECT_EQ(GetWithTimeout(server.Url("/small")).status, 200);
  int before = server.accepted_connections();
  ExpectFailed(GetWithTimeout(server.Url("/announced"), 10000));
  // The rest of the refused body must not be read as the next answer.
  Result next = GetWithTimeout(server.Url("/small"));
  EXPECT_EQ(next.body, "small");
  EXPECT_EQ(server.accepted_connections(), before + 1);
}

}  // namespace
