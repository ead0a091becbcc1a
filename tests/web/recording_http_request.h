// An HttpRequest that writes every call down as one line of text and
// answers from a canned response, so a test can compare the exact sequence.
#ifndef TESTS_WEB_RECORDING_HTTP_REQUEST_H_
#define TESTS_WEB_RECORDING_HTTP_REQUEST_H_

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/http/http_request.h"

namespace web_test {

class RecordingHttpRequest : public platform::HttpRequest {
 public:
  // What a working object answers after Send.
  std::vector<std::uint8_t> response_body;
  std::string response_headers;
  int status = 200;
  // A broken object: every operation fails and every read is empty.
  bool broken = false;
  // Runs inside Send, for tests that act while the request is under way.
  std::function<void()> during_send;

  std::vector<std::string> calls;
  std::vector<std::uint8_t> sent_bytes;

  // Only the SetRequestHeader lines, as "name|value".
  std::vector<std::string> Headers() const {
    std::vector<std::string> headers;
    for (const std::string& call : calls) {
      if (call.starts_with(kHeader))
        headers.push_back(call.substr(kHeader.size()));
    }
    return headers;
  }

  bool SetTimeouts(int resolve_ms, int connect_ms, int send_ms,
                   int receive_ms) override {
    calls.push_back("SetTimeouts " + std::to_string(resolve_ms) + " " +
                    std::to_string(connect_ms) + " " + std::to_string(send_ms) +
                    " " + std::to_string(receive_ms));
    return !broken;
  }
  bool SetProxy(int setting, std::string_view proxy_server) override {
    calls.push_back("SetProxy " + std::to_string(setting) + " " +
                    std::string(proxy_server));
    return !broken;
  }
  bool Open(std::string_view method, std::string_view address,
            bool asynchronous) override {
    calls.push_back("Open " + std::string(method) + " " + std::string(address) +
                    (asynchronous ? " async" : " sync"));
    return !broken;
  }
  bool SetOption(int option, int value) override {
    calls.push_back("SetOption " + std::to_string(option) + " " +
                    std::to_string(value));
    return !broken;
  }
  bool SetRequestHeader(std::string_view name,
                        std::string_view value) override {
    calls.push_back(std::string(kHeader) + std::string(name) + "|" +
                    std::string(value));
    return !broken;
  }
  bool Send(std::string_view body_text) override {
    calls.push_back("Send " + std::string(body_text));
    if (during_send) during_send();
    return !broken;
  }
  bool SendBytes(std::span<const std::uint8_t> body) override {
    calls.push_back("SendBytes " + std::to_string(body.size()));
    sent_bytes.assign(body.begin(), body.end());
    if (during_send) during_send();
    return !broken;
  }
  std::vector<std::uint8_t> ResponseBody() override {
    calls.push_back("ResponseBody");
    return broken ? std::vector<std::uint8_t>() : response_body;
  }
  std::string GetAllResponseHeaders() override {
    calls.push_back("GetAllResponseHeaders");
    return broken ? std::string() : response_headers;
  }
  int Status() override {
    calls.push_back("Status");
    return broken ? 0 : status;
  }

 private:
  static constexpr std::string_view kHeader = "Header ";
};

}  // namespace web_test

#endif  // TESTS_WEB_RECORDING_HTTP_REQUEST_H_
