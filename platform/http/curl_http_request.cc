// The request object over libcurl. Each object works through a transfer
// slot (an easy handle and a body buffer) taken over from the shared pool;
// connections, TLS sessions and name lookups live in the shared cache.
#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/codepage/code_page.h"
#include "platform/http/address_encoding.h"
#include "platform/http/curl_shared.h"
#include "platform/http/http_request.h"

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kProxySettingDefault = 0;
constexpr int kProxySettingDirect = 1;
constexpr long kMaxRedirects = 10;
constexpr long kReceiveBufferBytes = 100 * 1024;

// The platform object's own time-outs until SetTimeouts is called; 0 means
// no limit.
constexpr int kDefaultResolveMs = 0;
constexpr int kDefaultConnectMs = 60000;
constexpr int kDefaultSendMs = 30000;
constexpr int kDefaultReceiveMs = 30000;

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) {
             return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
           };
           return lower(x) == lower(y);
         });
}

bool IsToken(std::string_view text) {
  if (text.empty()) return false;
  return std::all_of(text.begin(), text.end(), [](char c) {
    auto u = static_cast<unsigned char>(c);
    if (u <= 0x20 || u >= 0x7F) return false;
    return std::string_view("()<>@,;:\\\"/[]?={}").find(c) ==
           std::string_view::npos;
  });
}

// Header values reach curl as C strings, so a zero byte would cut them
// short; CR and LF would start a header of the sender's choosing.
bool IsSafeHeaderValue(std::string_view value) {
  return value.find_first_of(std::string_view("\r\n\0", 3)) ==
         std::string_view::npos;
}

std::string Cp936ToUtf8(std::string_view text) {
  return WideToMultiByte(65001, MultiByteToWide(936, text));
}

struct SlistDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using Slist = std::unique_ptr<curl_slist, SlistDeleter>;

bool Append(Slist& list, const std::string& line) {
  curl_slist* grown = curl_slist_append(list.get(), line.c_str());
  if (grown == nullptr) return false;
  list.release();
  list.reset(grown);
  return true;
}

struct UrlDeleter {
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
};

// True for an absolute http or https address curl can parse.
bool IsUsableAddress(const std::string& url) {
  std::unique_ptr<CURLU, UrlDeleter> handle(curl_url());
  if (!handle ||
      curl_url_set(handle.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) {
    return false;
  }
  char* scheme = nullptr;
  if (curl_url_get(handle.get(), CURLUPART_SCHEME, &scheme, 0) != CURLUE_OK) {
    return false;
  }
  std::string_view s(scheme);
  bool ok = s == "http" || s == "https";
  curl_free(scheme);
  return ok;
}

class CurlHttpRequest : public HttpRequest {
 public:
  CurlHttpRequest(std::unique_ptr<TransferSlot> slot, CURLSH* share,
                  HttpRequestSettings settings)
      : slot_(std::move(slot)), share_(share), settings_(std::move(settings)) {}
  ~CurlHttpRequest() override { ReturnTransferSlot(std::move(slot_)); }
  CurlHttpRequest(const CurlHttpRequest&) = delete;
  CurlHttpRequest& operator=(const CurlHttpRequest&) = delete;

  bool SetTimeouts(int resolve_ms, int connect_ms, int send_ms,
                   int receive_ms) override {
    // As on the platform: 0 and -1 mean no limit, other negatives are wrong.
    for (int ms : {resolve_ms, connect_ms, send_ms, receive_ms}) {
      if (ms < -1) return false;
    }
    auto limit = [](int ms) { return ms == -1 ? 0 : ms; };
    resolve_ms_ = limit(resolve_ms);
    connect_ms_ = limit(connect_ms);
    send_ms_ = limit(send_ms);
    receive_ms_ = limit(receive_ms);
    return true;
  }

  bool SetProxy(int setting, std::string_view proxy_server) override {
    if (setting == kProxySettingDefault || setting == kProxySettingDirect) {
      proxy_.clear();
      return true;
    }
    if (setting != kProxySettingNamedProxy) return false;
    std::string server = Cp936ToUtf8(proxy_server);
    if (server.empty() ||
        server.find_first_of(" \t\r\n;", 0) != std::string::npos ||
        server.find('\0') != std::string::npos) {
      return false;
    }
    proxy_ =
        server.find("://") == std::string::npos ? "http://" + server : server;
    return true;
  }

  bool Open(std::string_view method, std::string_view address,
            bool asynchronous) override {
    opened_ = false;
    headers_.clear();
    proxy_headers_.clear();
    ClearResponse();
    // Only the blocking form exists here; nothing would ever complete an
    // asynchronous one.
    if (asynchronous || !IsToken(method)) return false;
    std::string url = EncodeAddressForWire(address);
    if (!IsUsableAddress(url)) return false;
    method_ = std::string(method);
    url_ = std::move(url);
    opened_ = true;
    return true;
  }

  bool SetOption(int option, int value) override {
    if (option == kOptionEnableRedirects) {
      follow_redirects_ = value != 0;
      return true;
    }
    if (option == kOptionSslErrorIgnoreFlags) {
      // Accepted so callers carry on, but never honoured: a certificate that
      // does not verify would let anyone on the path forge the answer.
      ignored_ssl_flags_ = value;
      return true;
    }
    return false;
  }

  bool SetRequestHeader(std::string_view name,
                        std::string_view value) override {
    if (!opened_ || !IsToken(name) || !IsSafeHeaderValue(value)) return false;
    // The length comes from the body actually sent; a different one would
    // make the server read part of the body, or the next request on the
    // kept-alive connection, as something else.
    if (EqualsNoCase(name, "Content-Length")) return false;
    std::string line(name);
    // "Name;" is curl's way of sending a header whose value is empty.
    line += value.empty() ? ";" : ": " + std::string(value);
    // The proxy credential is for the proxy alone, never the origin.
    if (EqualsNoCase(name, "Proxy-Authorization")) {
      proxy_headers_.push_back(std::move(line));
    } else {
      headers_.emplace_back(std::string(name), std::move(line));
    }
    return true;
  }

  bool Send(std::string_view body_text) override {
    std::string utf8 = Cp936ToUtf8(body_text);
    return Perform(std::span(reinterpret_cast<const std::uint8_t*>(utf8.data()),
                             utf8.size()));
  }

  bool SendBytes(std::span<const std::uint8_t> body) override {
    return Perform(body);
  }

  std::vector<std::uint8_t> ResponseBody() override { return slot_->body; }

  std::string GetAllResponseHeaders() override {
    if (!response_received_) return "";
    std::string block;
    for (const std::string& line : header_lines_) block += line + "\r\n";
    return block + "\r\n";
  }

  int Status() override { return status_; }

 private:
  void ClearResponse() {
    slot_->body.clear();
    header_lines_.clear();
    status_ = 0;
    response_received_ = false;
  }

  bool HasHeader(std::string_view name) const {
    return std::any_of(headers_.begin(), headers_.end(), [&](const auto& h) {
      return EqualsNoCase(h.first, name);
    });
  }

  bool Perform(std::span<const std::uint8_t> body);

  static size_t OnBody(char* data, size_t size, size_t count, void* self);
  static size_t OnHeader(char* data, size_t size, size_t count, void* self);
  static int OnProgress(void* self, curl_off_t, curl_off_t dlnow,
                        curl_off_t ultotal, curl_off_t ulnow);

  std::unique_ptr<TransferSlot> slot_;
  CURLSH* share_;
  HttpRequestSettings settings_;

  int resolve_ms_ = kDefaultResolveMs;
  int connect_ms_ = kDefaultConnectMs;
  int send_ms_ = kDefaultSendMs;
  int receive_ms_ = kDefaultReceiveMs;
  std::string proxy_;
  bool follow_redirects_ = true;
  int ignored_ssl_flags_ = 0;

  bool opened_ = false;
  std::string method_;
  std::string url_;
  std::vector<std::pair<std::string, std::string>> headers_;  // name, line
  std::vector<std::string> proxy_headers_;

  // Progress of the exchange under way, for the stall watchdog.
  curl_off_t last_down_ = 0;
  curl_off_t last_up_ = 0;
  Clock::time_point last_progress_{};

  std::vector<std::string> header_lines_;
  int status_ = 0;
  bool response_received_ = false;
};

size_t CurlHttpRequest::OnBody(char* data, size_t size, size_t count,
                               void* self) {
  auto* request = static_cast<CurlHttpRequest*>(self);
  size_t n = size * count;
  auto& body = request->slot_->body;
  if (body.size() + n > kMaxResponseBodyBytes) {
    return CURL_WRITEFUNC_ERROR;
  }
  if (body.empty()) {
    // One allocation of the announced size instead of repeated growth.
    curl_off_t announced = -1;
    curl_easy_getinfo(request->slot_->easy.get(),
                      CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
    if (announced > 0 &&
        static_cast<std::size_t>(announced) <= kMaxResponseBodyBytes) {
      body.reserve(static_cast<std::size_t>(announced));
    }
  }
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(data);
  body.insert(body.end(), bytes, bytes + n);
  return n;
}

size_t CurlHttpRequest::OnHeader(char* data, size_t size, size_t count,
                                 void* self) {
  auto* request = static_cast<CurlHttpRequest*>(self);
  size_t n = size * count;
  std::string_view line(data, n);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
    line.remove_suffix(1);
  }
  // Each status line starts a new block (interim answers, redirects), so
  // what remains at the end belongs to the final response.
  if (line.starts_with("HTTP/")) {
    request->header_lines_.clear();
    request->slot_->body.clear();
  } else if (!line.empty()) {
    request->header_lines_.emplace_back(line);
  }
  return n;
}

int CurlHttpRequest::OnProgress(void* self, curl_off_t, curl_off_t dlnow,
                                curl_off_t ultotal, curl_off_t ulnow) {
  auto* request = static_cast<CurlHttpRequest*>(self);
  auto now = Clock::now();
  curl_off_t pretransfer = 0;
  curl_easy_getinfo(request->slot_->easy.get(), CURLINFO_PRETRANSFER_TIME_T,
                    &pretransfer);
  // Setting up the connection has the connect time-out; the watchdog starts
  // once the request can go out, and fires only when no byte moved at all
  // for the phase's time-out, so a slow but steady answer never trips it.
  if (pretransfer == 0 || dlnow != request->last_down_ ||
      ulnow != request->last_up_) {
    request->last_down_ = dlnow;
    request->last_up_ = ulnow;
    request->last_progress_ = now;
    return 0;
  }
  bool sending = ultotal > 0 && ulnow < ultotal;
  int limit_ms = sending ? request->send_ms_ : request->receive_ms_;
  if (limit_ms > 0 &&
      now - request->last_progress_ > std::chrono::milliseconds(limit_ms)) {
    return 1;
  }
  return 0;
}

bool CurlHttpRequest::Perform(std::span<const std::uint8_t> body) {
  ClearResponse();
  if (!opened_) return false;
  CURL* easy = slot_->easy.get();
  curl_easy_reset(easy);
  last_down_ = last_up_ = 0;
  last_progress_ = Clock::now();

  if (settings_.reuse_connections) {
    curl_easy_setopt(easy, CURLOPT_SHARE, share_);
  } else {
    curl_easy_setopt(easy, CURLOPT_SHARE, nullptr);
    curl_easy_setopt(easy, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_SESSIONID_CACHE, 0L);
  }
  if (!proxy_.empty()) {
    // curl does not compare a proxy credential sent as a header when it
    // picks a kept-alive connection, so a tunnel opened with one credential
    // would serve a later request that carries another, or none.
    curl_easy_setopt(easy, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
  }
  curl_easy_setopt(easy, CURLOPT_URL, url_.c_str());
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, follow_redirects_ ? 1L : 0L);
  curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!settings_.extra_ca_file.empty()) {
    // The bundle file is replaced, the system's CA folder still applies.
    curl_easy_setopt(easy, CURLOPT_CAINFO, settings_.extra_ca_file.c_str());
  }
  // curl measures name resolution and connecting (TLS included) as one
  // phase; it gets the longer of the two budgets. Without a connect limit
  // curl's own bound of a few minutes still applies.
  if (connect_ms_ > 0) {
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(std::max(resolve_ms_, connect_ms_)));
  }
  // Fewer, larger reads than curl's 16 KB default; pages are often bigger.
  curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);
  curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE,
                   static_cast<curl_off_t>(kMaxResponseBodyBytes));
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &CurlHttpRequest::OnBody);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &CurlHttpRequest::OnHeader);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
  curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION,
                   &CurlHttpRequest::OnProgress);
  curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);

  // An empty proxy also keeps curl from taking one from the environment.
  curl_easy_setopt(easy, CURLOPT_PROXY, proxy_.c_str());
  curl_easy_setopt(easy, CURLOPT_NOPROXY, "");
  curl_easy_setopt(easy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);

  Slist headers;
  for (const auto& header : headers_) {
    if (!Append(headers, header.second)) return false;
  }
  // Headers curl would add of its own accord do not go out unasked.
  if (!HasHeader("Accept") && !Append(headers, "Accept:")) return false;
  if (!HasHeader("Expect") && !Append(headers, "Expect:")) return false;
  bool has_body = !body.empty() || method_ == "POST" || method_ == "PUT";
  if (has_body && !HasHeader("Content-Type") &&
      !Append(headers, "Content-Type:")) {
    return false;
  }
  Slist proxy_headers;
  for (const std::string& line : proxy_headers_) {
    if (!Append(proxy_headers, line)) return false;
  }
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(easy, CURLOPT_HEADEROPT, CURLHEADER_SEPARATE);
  curl_easy_setopt(easy, CURLOPT_PROXYHEADER, proxy_headers.get());

  static const std::uint8_t kNoBytes = 0;
  if (method_ == "HEAD") {
    curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
  } else if (has_body) {
    curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                     static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(easy, CURLOPT_POSTFIELDS,
                     body.empty() ? &kNoBytes : body.data());
    if (method_ != "POST") {
      curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, method_.c_str());
    }
  } else if (method_ != "GET") {
    curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, method_.c_str());
  }

  CURLcode result = curl_easy_perform(easy);
  long status = 0;
  if (result == CURLE_OK) {
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
  }
  if (result != CURLE_OK || status <= 0) {
    ClearResponse();
    // A proxy that refuses the tunnel answers, too: its code is worth
    // passing on, like the plain-proxy case where it is the response.
    long connect_code = 0;
    curl_easy_getinfo(easy, CURLINFO_HTTP_CONNECTCODE, &connect_code);
    if (result != CURLE_OK && connect_code >= 400 && connect_code < 600) {
      status_ = static_cast<int>(connect_code);
    }
    // Nothing in the options may point at locals once we return.
    curl_easy_reset(easy);
    return false;
  }
  status_ = static_cast<int>(status);
  response_received_ = true;
  curl_easy_reset(easy);
  return true;
}

}  // namespace

std::shared_ptr<HttpRequest> CreateHttpRequest() {
  return CreateHttpRequest(HttpRequestSettings{});
}

std::shared_ptr<HttpRequest> CreateHttpRequest(
    const HttpRequestSettings& settings) {
  CURLSH* share = SharedCurlCache();
  if (share == nullptr) return nullptr;
  std::unique_ptr<TransferSlot> slot = TakeTransferSlot();
  if (!slot) return nullptr;
  return std::make_shared<CurlHttpRequest>(std::move(slot), share, settings);
}

}  // namespace platform
