#include "web/web_request_steps.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/web/recording_http_request.h"

namespace web {
namespace {

using core::AnsiText;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using web_test::RecordingHttpRequest;

constexpr char kAddress[] = "https://example.test/s?wd=x";
constexpr char kUserAgent[] =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// Runs the steps on a fresh recording object handed in as request_object.
struct FakeRun {
  explicit FakeRun(WebRequestOptions given) : options(std::move(given)) {
    if (options.address.empty()) options.address = kAddress;
    options.request_object = fake;
  }
  core::ByteBuffer Go() {
    return RunWebRequest(options, [] {
      ADD_FAILURE() << "no object may be created when one is handed in";
      return std::shared_ptr<platform::HttpRequest>();
    });
  }
  std::shared_ptr<RecordingHttpRequest> fake =
      std::make_shared<RecordingHttpRequest>();
  WebRequestOptions options;
};

TEST(WebRequestStepsTest, AddressOnlyMakesTheCheckersRequest) {
  FakeRun run({});
  run.fake->response_body = {'o', 'k', 0, '!'};
  const core::ByteBuffer body = run.Go();

  EXPECT_THAT(
      run.fake->calls,
      ElementsAre("SetTimeouts 15000 15000 15000 15000",
                  std::string("Open GET ") + kAddress + " sync",
                  "SetOption 4 13056", "Header Accept|*/*",
                  std::string("Header Referer|") + kAddress,
                  "Header Accept-Language|zh-cn",
                  std::string("Header User-Agent|") + kUserAgent, "Send ",
                  "ResponseBody", "GetAllResponseHeaders", "Status"));
  EXPECT_EQ(
      run.options.headers,
      AnsiText(std::string("Accept: */*\r\nReferer: ") + kAddress +
               "\r\nAccept-Language: zh-cn\r\nUser-Agent: " + kUserAgent));
  EXPECT_EQ(body, (core::ByteBuffer{'o', 'k', 0, '!'}));
  EXPECT_EQ(run.options.status, 200);
  EXPECT_EQ(run.options.returned_cookies, AnsiText(""));
  EXPECT_FALSE(run.options.cookies.has_value());
}

TEST(WebRequestStepsTest, MethodsAndDefaultHeaderLines) {
  const std::string referer = std::string("Referer|") + kAddress;
  const std::string agent = std::string("User-Agent|") + kUserAgent;
  const std::string default_tail =
      std::string("\r\nReferer: ") + kAddress +
      "\r\nAccept-Language: zh-cn\r\nUser-Agent: " + kUserAgent;
  const struct {
    std::int32_t method;
    std::string headers;
    const char* open_method;
    std::string headers_after;
    std::vector<std::string> header_calls;
  } cases[] = {
      {9,
       "",
       "GET",
       "Accept: */*" + default_tail,
       {"Accept|*/*", referer, "Accept-Language|zh-cn", agent}},
      {-1,
       "",
       "GET",
       "Accept: */*" + default_tail,
       {"Accept|*/*", referer, "Accept-Language|zh-cn", agent}},
      {7,
       "",
       "CONNECT",
       "Accept: */*" + default_tail,
       {"Accept|*/*", referer, "Accept-Language|zh-cn", agent}},
      {1,
       "",
       "POST",
       "Accept: */*" + default_tail +
           "\r\nContent-Type: application/x-www-form-urlencoded",
       {"Accept|*/*", referer, "Accept-Language|zh-cn", agent,
        "Content-Type|application/x-www-form-urlencoded"}},
      {1,
       "Content-Type: text/plain",
       "POST",
       "Content-Type: text/plain\r\nAccept: */*" + default_tail,
       {"Content-Type|text/plain", "Accept|*/*", referer,
        "Accept-Language|zh-cn", agent}},
      {0,
       "User-Agent: X",
       "GET",
       std::string("User-Agent: X\r\nAccept: */*\r\nReferer: ") + kAddress +
           "\r\nAccept-Language: zh-cn",
       {"User-Agent|X", "Accept|*/*", referer, "Accept-Language|zh-cn"}},
      // Letter case counts in the test, so both agents go out.
      {0,
       "user-agent: X",
       "GET",
       "user-agent: X\r\nAccept: */*" + default_tail,
       {"user-agent|X", "Accept|*/*", referer, "Accept-Language|zh-cn", agent}},
      // The empty line the caller's final CR LF leaves is skipped.
      {0,
       "X-A: 1\r\n",
       "GET",
       "X-A: 1\r\n\r\nAccept: */*" + default_tail,
       {"X-A|1", "Accept|*/*", referer, "Accept-Language|zh-cn", agent}},
      // A line without ":" still makes its (empty) call.
      {0,
       "junk",
       "GET",
       "junk\r\nAccept: */*" + default_tail,
       {"|", "Accept|*/*", referer, "Accept-Language|zh-cn", agent}},
      // Nothing left to add: the text is one line.
      {2,
       "Accept:Referer:Accept-Language:User-Agent: u",
       "HEAD",
       "Accept:Referer:Accept-Language:User-Agent: u",
       {"Accept|Referer:Accept-Language:User-Agent: u"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.headers + " method " + std::to_string(c.method));
    WebRequestOptions options;
    options.method = c.method;
    options.headers = c.headers;
    FakeRun run(std::move(options));
    run.Go();
    EXPECT_EQ(run.fake->calls.at(1),
              std::string("Open ") + c.open_method + " " + kAddress + " sync");
    EXPECT_EQ(run.options.headers, AnsiText(c.headers_after));
    EXPECT_THAT(run.fake->Headers(), ElementsAreArray(c.header_calls));
    EXPECT_EQ(run.options.method, c.method);
  }
}

TEST(WebRequestStepsTest, LineBreakInAddressCannotStartAHeader) {
  const struct {
    const char* address;
    const char* referer;
  } cases[] = {
      {"http://h/a\r\nX-Evil: 1", "http://h/a%0D%0AX-Evil: 1"},
      {"http://h/\xB0\r\nX: 1\n", "http://h/\xB0%0D%0AX: 1%0A"},
      // A lone lead byte at the end would join the CR LF after it.
      {"http://h/\xD6\xD0\x80", "http://h/\xD6\xD0%80"},
      {"http://h/\xD6\xD0\x80\r", "http://h/\xD6\xD0\x80%0D"},
      {"http://h/\xD6\xD0", "http://h/\xD6\xD0"},
  };
  for (const auto& c : cases) {
    WebRequestOptions options;
    options.address = c.address;
    FakeRun run(std::move(options));
    run.Go();
    EXPECT_THAT(run.fake->Headers(),
                ElementsAre("Accept|*/*", std::string("Referer|") + c.referer,
                            "Accept-Language|zh-cn",
                            std::string("User-Agent|") + kUserAgent));
    EXPECT_EQ(run.fake->calls.at(1),
              std::string("Open GET ") + c.address + " sync");
  }
}

TEST(WebRequestStepsTest, TimeoutMilliseconds) {
  const struct {
    std::int32_t seconds;
    std::optional<int> ms;
  } cases[] = {
      {0, 15000},
      {-5, 15000},
      {-2, 15000},
      {std::numeric_limits<std::int32_t>::min(), 15000},
      {-1, std::nullopt},
      {1, 1000},
      {30, 30000},
      {2147483, 2147483000},
      {2147484, std::numeric_limits<int>::max()},
      {std::numeric_limits<std::int32_t>::max(),
       std::numeric_limits<int>::max()},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TimeoutMilliseconds(c.seconds), c.ms) << c.seconds;
  }

  WebRequestOptions options;
  options.timeout_seconds = -1;
  FakeRun run(std::move(options));
  run.Go();
  EXPECT_EQ(run.fake->calls.at(0),
            std::string("Open GET ") + kAddress + " sync");
}

TEST(WebRequestStepsTest, ProxyAndCredentials) {
  const struct {
    const char* proxy;
    const char* user;
    std::optional<std::int32_t> auth;
    std::vector<std::string> first_calls;  // up to and including SetOption 4
  } cases[] = {
      {"127.0.0.1:3128",
       "u",
       std::nullopt,
       {"SetProxy 2 127.0.0.1:3128", "Open",
        "Header Proxy-Authorization|Basic dTpw", "SetOption 4 13056"}},
      {"127.0.0.1:3128",
       "u",
       1,
       {"SetProxy 2 127.0.0.1:3128", "Open",
        "Header Proxy-Authorization|Basic dTpw", "SetOption 4 13056"}},
      {"127.0.0.1:3128",
       "u",
       2,
       {"SetProxy 2 127.0.0.1:3128", "Open", "SetOption 4 13056"}},
      {"127.0.0.1:3128",
       "",
       std::nullopt,
       {"SetProxy 2 127.0.0.1:3128", "Open", "SetOption 4 13056"}},
      {"", "u", 1, {"Open", "SetOption 4 13056"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.proxy) + " / " + c.user);
    WebRequestOptions options;
    options.proxy = c.proxy;
    options.proxy_user = c.user;
    options.proxy_password = "p";
    options.proxy_auth = c.auth;
    FakeRun run(std::move(options));
    run.Go();
    std::vector<std::string> first(
        run.fake->calls.begin() + 1,
        run.fake->calls.begin() + 1 +
            static_cast<std::ptrdiff_t>(c.first_calls.size()));
    for (std::string& call : first) {
      if (call.starts_with("Open ")) call = "Open";
    }
    EXPECT_THAT(first, ElementsAreArray(c.first_calls));
  }
}

TEST(WebRequestStepsTest, NoRedirectComesBeforeTheCertificateOption) {
  WebRequestOptions options;
  options.no_redirect = true;
  FakeRun run(std::move(options));
  run.Go();
  EXPECT_EQ(run.fake->calls.at(2), "SetOption 6 0");
  EXPECT_EQ(run.fake->calls.at(3), "SetOption 4 13056");
}

TEST(WebRequestStepsTest, CookieHeaderPrecedesTheHeaderLines) {
  const struct {
    std::optional<std::string> cookies;
    bool cookie_header;
  } cases[] = {{"a=1; b=2", true}, {"", false}, {std::nullopt, false}};
  for (const auto& c : cases) {
    WebRequestOptions options;
    if (c.cookies) options.cookies = AnsiText(*c.cookies);
    options.headers = "X-A: 1";
    FakeRun run(std::move(options));
    run.Go();
    const std::vector<std::string> headers = run.fake->Headers();
    ASSERT_FALSE(headers.empty());
    if (c.cookie_header) {
      EXPECT_EQ(headers[0], "Cookie|" + *c.cookies);
      EXPECT_EQ(headers[1], "X-A|1");
    } else {
      EXPECT_EQ(headers[0], "X-A|1");
    }
  }
}

TEST(WebRequestStepsTest, SendsBytesWholeOrElseTheText) {
  {
    WebRequestOptions options;
    options.body_bytes = {'a', 0, 'b', 0};
    options.body_text = "ignored";
    FakeRun run(std::move(options));
    run.Go();
    EXPECT_THAT(run.fake->calls, ::testing::Contains("SendBytes 4"));
    EXPECT_EQ(run.fake->sent_bytes, (core::ByteBuffer{'a', 0, 'b', 0}));
  }
  {
    WebRequestOptions options;
    options.body_text = "k=v&x=\xD6\xD0";
    FakeRun run(std::move(options));
    run.Go();
    EXPECT_THAT(run.fake->calls, ::testing::Contains("Send k=v&x=\xD6\xD0"));
  }
}

TEST(WebRequestStepsTest, CollectsAndMergesResponseCookies) {
  const struct {
    const char* response_headers;
    std::optional<std::string> cookies;
    std::optional<bool> merge;
    const char* returned;
    std::optional<std::string> cookies_after;
  } cases[] = {
      {"Set-Cookie: a=1; path=/\r\nset-cookie: b=2\r\n", std::nullopt,
       std::nullopt, "a=1; b=2", std::nullopt},
      {"Content-Type: text/html\r\n", std::nullopt, std::nullopt, "",
       std::nullopt},
      {"X-Set-Cookie-Info: z\r\n", std::nullopt, std::nullopt,
       "X-Set-Cookie-Info: z", std::nullopt},
      {"Set-Cookie: a=1\r\nSet-Cookie2 x; y\r\nSet-Cookie: b=2", std::nullopt,
       std::nullopt, "a=1; ; b=2", std::nullopt},
      // Present but empty cookies still merge.
      {"Set-Cookie: a = 1\r\nSet-Cookie: gone=deleted\r\nSet-Cookie: a = 1", "",
       std::nullopt, "a=1", "a=1"},
      // Absent cookies never merge.
      {"Set-Cookie: a = 1\r\nSet-Cookie: a = 1", std::nullopt, true,
       "a = 1; a = 1", std::nullopt},
      {"Set-Cookie: a=1", "a=0; c=3", false, "a=1", "a=0; c=3"},
      {"SET-COOKIE: a=1; HttpOnly", "a=0; c=3", std::nullopt, "a=1; c=3",
       "a=1; c=3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.response_headers);
    WebRequestOptions options;
    if (c.cookies) options.cookies = AnsiText(*c.cookies);
    options.merge_cookies = c.merge;
    FakeRun run(std::move(options));
    run.fake->response_headers = c.response_headers;
    run.Go();
    EXPECT_EQ(run.options.returned_cookies, AnsiText(c.returned));
    EXPECT_EQ(run.options.cookies.has_value(), c.cookies_after.has_value());
    if (c.cookies_after) {
      EXPECT_EQ(*run.options.cookies, AnsiText(*c.cookies_after));
    }
  }
}

TEST(WebRequestStepsTest, ResponseHeadersSpellSetCookieOneWay) {
  FakeRun run({});
  run.fake->response_headers =
      "set-cookie: a=1\r\nSET-COOKIE: b=2\r\nX: sEt-CoOkIe\r\n";
  run.fake->status = 404;
  run.fake->response_body = {'n', 'o'};
  EXPECT_EQ(run.Go(), (core::ByteBuffer{'n', 'o'}));
  EXPECT_EQ(
      run.options.response_headers,
      AnsiText("Set-Cookie: a=1\r\nSet-Cookie: b=2\r\nX: Set-Cookie\r\n"));
  EXPECT_EQ(run.options.status, 404);
}

TEST(WebRequestStepsTest, ObjectThatCannotBeMadeChangesNothing) {
  WebRequestOptions options;
  options.address = kAddress;
  options.headers = "X-A: 1";
  options.cookies = AnsiText("a=1");
  options.returned_cookies = "old";
  options.response_headers = "old headers";
  options.status = 123;
  int created = 0;
  const core::ByteBuffer body = RunWebRequest(options, [&created] {
    ++created;
    return std::shared_ptr<platform::HttpRequest>();
  });
  EXPECT_EQ(created, 1);
  EXPECT_TRUE(body.empty());
  EXPECT_EQ(options.headers, AnsiText("X-A: 1"));
  EXPECT_EQ(options.cookies, AnsiText("a=1"));
  EXPECT_EQ(options.returned_cookies, AnsiText("old"));
  EXPECT_EQ(options.response_headers, AnsiText("old headers"));
  EXPECT_EQ(options.status, 123);
}

TEST(WebRequestStepsTest, CreatedObjectIsUsedWhenNoneIsHandedIn) {
  auto fake = std::make_shared<RecordingHttpRequest>();
  fake->status = 204;
  WebRequestOptions options;
  options.address = kAddress;
  RunWebRequest(options, [fake] { return fake; });
  EXPECT_EQ(options.status, 204);
  EXPECT_EQ(fake->calls.back(), "Status");
  EXPECT_EQ(options.request_object, nullptr);
}

TEST(WebRequestStepsTest, FailingObjectGivesEmptyResultsAndGoesOn) {
  WebRequestOptions options;
  options.cookies = AnsiText(" a=1 ; a=2; b=deleted");
  options.status = 7;
  options.response_headers = "stale";
  FakeRun run(std::move(options));
  run.fake->broken = true;
  run.fake->response_body = {'x'};
  EXPECT_TRUE(run.Go().empty());
  EXPECT_EQ(run.fake->calls.back(), "Status");
  EXPECT_EQ(run.fake->Headers().size(), 5u);  // Cookie and the four defaults
  EXPECT_EQ(run.options.response_headers, AnsiText(""));
  EXPECT_EQ(run.options.status, 0);
  EXPECT_EQ(run.options.returned_cookies, AnsiText("a=1"));
  EXPECT_EQ(run.options.cookies, AnsiText("a=1"));
}

TEST(WebRequestStepsTest, CallKeepsTheObjectAliveWhenTheCallerLetsGo) {
  WebRequestOptions options;
  options.address = kAddress;
  std::weak_ptr<RecordingHttpRequest> watch;
  {
    auto fake = std::make_shared<RecordingHttpRequest>();
    fake->status = 200;
    fake->during_send = [&options] { options.request_object.reset(); };
    watch = fake;
    options.request_object = std::move(fake);
  }
  RunWebRequest(options, nullptr);
  EXPECT_EQ(options.status, 200);
  EXPECT_TRUE(watch.expired());
}

}  // namespace
}  // namespace web
