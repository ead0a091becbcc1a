// Our stand-in for the platform's HTTP request object: the operations the
// web request facility needs of it, nothing more. Texts cross this interface
// as code page 936 bytes. A failed operation returns false (or an empty
// result) and the caller goes on; nothing throws.
#ifndef PLATFORM_HTTP_HTTP_REQUEST_H_
#define PLATFORM_HTTP_HTTP_REQUEST_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr int kProxySettingNamedProxy = 2;
inline constexpr int kOptionSslErrorIgnoreFlags = 4;
inline constexpr int kOptionEnableRedirects = 6;

class HttpRequest {
 public:
  virtual ~HttpRequest() = default;

  // Resolve, connect, send and receive time-outs in milliseconds.
  virtual bool SetTimeouts(int resolve_ms, int connect_ms, int send_ms,
                           int receive_ms) = 0;
  virtual bool SetProxy(int setting, std::string_view proxy_server) = 0;
  virtual bool Open(std::string_view method, std::string_view address,
                    bool asynchronous) = 0;
  virtual bool SetOption(int option, int value) = 0;
  virtual bool SetRequestHeader(std::string_view name,
                                std::string_view value) = 0;
  // Sends the request and waits for the whole response.
  virtual bool Send(std::string_view body_text) = 0;
  virtual bool SendBytes(std::span<const std::uint8_t> body) = 0;

  virtual std::vector<std::uint8_t> ResponseBody() = 0;
  // The final response's header lines without the status line, each ended
  // by CR LF, and the empty line that closes the block (so a block ends in
  // CR LF CR LF); "" when no response arrived. Bytes as the server sent them.
  virtual std::string GetAllResponseHeaders() = 0;
  // 0 when no response was received.
  virtual int Status() = 0;
};

// The object the design creates by its ProgID; null when it cannot be made.
std::shared_ptr<HttpRequest> CreateHttpRequest();

// Certificates are always verified against the system's CA store; an extra
// CA file adds trust (tests use it to reach a throw-away CA).
struct HttpRequestSettings {
  std::string extra_ca_file;  // PEM; empty: the system store only
  // False: every exchange opens a connection and TLS session of its own
  // (for measuring what the shared cache saves).
  bool reuse_connections = true;
};
std::shared_ptr<HttpRequest> CreateHttpRequest(
    const HttpRequestSettings& settings);

// A response body longer than this fails the request and drops the
// connection, so a hostile server cannot exhaust memory.
inline constexpr std::size_t kMaxResponseBodyBytes = std::size_t{64} << 20;

}  // namespace platform

#endif  // PLATFORM_HTTP_HTTP_REQUEST_H_
