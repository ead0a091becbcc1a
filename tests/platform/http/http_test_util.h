// Shorthands the request-object tests share.
#ifndef TESTS_PLATFORM_HTTP_HTTP_TEST_UTIL_H_
#define TESTS_PLATFORM_HTTP_HTTP_TEST_UTIL_H_

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include "platform/http/http_request.h"
#include "tests/support/test_server.h"

namespace http_test {

struct Result {
  bool sent = false;
  int status = 0;
  std::string body;
  std::string headers;
  std::chrono::milliseconds elapsed{0};
};

inline std::string AsString(const std::vector<std::uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

// Opens, sends and collects everything the object gives back.
inline Result Exchange(platform::HttpRequest& request, std::string_view method,
                       std::string_view url, std::string_view body = {}) {
  Result result;
  auto start = std::chrono::steady_clock::now();
  if (request.Open(method, url, false)) {
    result.sent = request.SendBytes(std::span(
        reinterpret_cast<const std::uint8_t*>(body.data()), body.size()));
  }
  result.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  result.status = request.Status();
  result.body = AsString(request.ResponseBody());
  result.headers = request.GetAllResponseHeaders();
  return result;
}

// A fresh object trusting `ca` (or only the system store when null).
inline std::shared_ptr<platform::HttpRequest> NewRequest(
    const test::TestCa* ca = nullptr) {
  platform::HttpRequestSettings settings;
  if (ca != nullptr) settings.extra_ca_file = ca->ca_file();
  return platform::CreateHttpRequest(settings);
}

inline Result Get(std::string_view url, const test::TestCa* ca = nullptr) {
  auto request = NewRequest(ca);
  return Exchange(*request, "GET", url);
}

}  // namespace http_test

#endif  // TESTS_PLATFORM_HTTP_HTTP_TEST_UTIL_H_
