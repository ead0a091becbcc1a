#include "web/web_request_steps.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "core/text/text_ops.h"
#include "platform/http/http_request.h"
#include "web/base64.h"
#include "web/cookies.h"
#include "web/header_line.h"

namespace web {

namespace {

constexpr std::array<std::string_view, 8> kMethods = {
    "GET", "POST", "HEAD", "PUT", "OPTIONS", "DELETE", "TRACE", "CONNECT"};
constexpr int kPostMethod = 1;
constexpr int kDefaultTimeoutMs = 15000;
constexpr int kIgnoredCertificateErrors = 0x3300;
constexpr char kCrLf[] = "\r\n";

// True when the text's last byte is a lead byte with nothing to pair with:
// the scan rule would then join it to the CR of the line that follows.
bool EndsInDanglingLeadByte(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
    } else if (i + 1 < bytes.size()) {
      i += 2;
    } else {
      return true;
    }
  }
  return false;
}

// The Referer must stay one line whatever the address holds. A URL has no
// line break, so every CR and LF byte is encoded, and so is a lone lead
// byte at the end, which would otherwise swallow the CR LF after it and
// merge the next default line into this one.
core::AnsiText RefererValue(const core::AnsiText& address) {
  const std::string_view bytes = address.view();
  const bool dangling = EndsInDanglingLeadByte(bytes);
  if (!dangling && bytes.find_first_of("\r\n") == std::string_view::npos) {
    return address;
  }
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string value;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte == '\r' || byte == '\n' || (dangling && i + 1 == bytes.size())) {
      value += '%';
      value += kHex[byte >> 4];
      value += kHex[byte & 0x0F];
    } else {
      value += static_cast<char>(byte);
    }
  }
  return core::AnsiText(std::move(value));
}

void AddDefaultHeaders(core::AnsiText& headers, const core::AnsiText& address,
                       int method) {
  if (core::FindText(headers, "Accept:") == -1) {
    headers += headers.empty() ? "Accept: */*" : "\r\nAccept: */*";
  }
  if (core::FindText(headers, "Referer:") == -1) {
    headers += core::AnsiText("\r\nReferer: ") + RefererValue(address);
  }
  if (core::FindText(headers, "Accept-Language:") == -1) {
    headers += "\r\nAccept-Language: zh-cn";
  }
  if (core::FindText(headers, "User-Agent:") == -1) {
    headers +=
        "\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
  }
  if (method == kPostMethod && core::FindText(headers, "Content-Type:") == -1) {
    headers += "\r\nContent-Type: application/x-www-form-urlencoded";
  }
}

void SetHeaderLines(platform::HttpRequest& request,
                    const core::AnsiText& headers) {
  const core::TextList lines = core::FindText(headers, kCrLf) == -1
                                   ? core::TextList{headers}
                                   : core::SplitText(headers, kCrLf);
  for (const core::AnsiText& line : lines) {
    if (line.empty()) continue;
    request.SetRequestHeader(HeaderLineName(line).view(),
                             HeaderLineValue(line).view());
  }
}

core::AnsiText CollectCookies(const core::AnsiText& response_headers) {
  core::AnsiText cookies;
  for (const core::AnsiText& line : core::SplitText(response_headers, kCrLf)) {
    if (core::FindText(line, "Set-Cookie") == -1) continue;
    const core::AnsiText cookie =
        core::FindText(line, ";") == -1
            ? core::TrimSpaces(core::ReplaceText(line, "Set-Cookie:", "", 1,
                                                 core::kEveryOccurrence, false))
            : core::TrimSpaces(TextBetween(line, "Set-Cookie:", ";"));
    cookies += cookie;
    cookies += "; ";
  }
  return core::LeftText(cookies, cookies.size() - 2);
}

}  // namespace

std::optional<int> TimeoutMilliseconds(std::int32_t timeout_seconds) {
  if (timeout_seconds == -1) return std::nullopt;
  if (timeout_seconds < 1) return kDefaultTimeoutMs;
  const double ms = static_cast<double>(timeout_seconds) * 1000.0;
  constexpr double kMaxMs = std::numeric_limits<int>::max();
  return ms >= kMaxMs ? std::numeric_limits<int>::max() : static_cast<int>(ms);
}

core::ByteBuffer RunWebRequest(WebRequestOptions& options,
                               const HttpRequestFactory& create_request) {
  const bool merge_cookies = options.merge_cookies.value_or(true);
  const int method =
      options.method < 0 || options.method >= static_cast<int>(kMethods.size())
          ? 0
          : options.method;

  // Our own reference: the caller may drop theirs while the call runs.
  std::shared_ptr<platform::HttpRequest> request = options.request_object;
  if (!request && create_request) request = create_request();
  if (!request) return {};

  if (const std::optional<int> ms =
          TimeoutMilliseconds(options.timeout_seconds)) {
    request->SetTimeouts(*ms, *ms, *ms, *ms);
  }

  std::optional<core::AnsiText> proxy_authorization;
  if (!options.proxy.empty()) {
    request->SetProxy(platform::kProxySettingNamedProxy, options.proxy.view());
    if (!options.proxy_user.empty() && options.proxy_auth.value_or(1) == 1) {
      const core::AnsiText credentials =
          options.proxy_user + ":" + options.proxy_password;
      proxy_authorization = core::AnsiText("Basic ") +
                            Base64Encode(core::TextToBytes(credentials));
    }
  }

  request->Open(kMethods[static_cast<std::size_t>(method)],
                options.address.view(), false);
  if (proxy_authorization) {
    request->SetRequestHeader("Proxy-Authorization",
                              proxy_authorization->view());
  }
  if (options.no_redirect) {
    request->SetOption(platform::kOptionEnableRedirects, 0);
  }
  request->SetOption(platform::kOptionSslErrorIgnoreFlags,
                     kIgnoredCertificateErrors);

  AddDefaultHeaders(options.headers, options.address, method);
  const core::AnsiText cookies = options.cookies.value_or(core::AnsiText());
  if (!cookies.empty()) request->SetRequestHeader("Cookie", cookies.view());
  SetHeaderLines(*request, options.headers);

  if (!options.body_bytes.empty()) {
    request->SendBytes(std::span<const std::uint8_t>(options.body_bytes));
  } else {
    request->Send(options.body_text.view());
  }

  core::ByteBuffer body = request->ResponseBody();
  options.response_headers = core::ReplaceText(
      core::AnsiText(request->GetAllResponseHeaders()), "Set-Cookie",
      "Set-Cookie", 1, core::kEveryOccurrence, false);
  options.status = request->Status();

  options.returned_cookies = CollectCookies(options.response_headers);
  if (merge_cookies && options.cookies.has_value()) {
    options.returned_cookies =
        MergeCookies(*options.cookies, options.returned_cookies);
    options.cookies = options.returned_cookies;
  }
  return body;
}

}  // namespace web
