// One synchronous HTTP or HTTPS request described by a record that also
// carries the results other than the body.
#ifndef WEB_WEB_REQUEST_H_
#define WEB_WEB_REQUEST_H_

#include <cstdint>
#include <memory>
#include <optional>

#include "core/text/ansi_text.h"

namespace platform {
class HttpRequest;
}

namespace web {

// Fields the call reads are "in", fields it writes "out". Where the design
// tests whether a field was set at all, the field is optional (or null).
struct WebRequestOptions {
  core::AnsiText address;                           // in, required
  std::int32_t method = 0;                          // in, index of kMethods
  core::AnsiText body_text;                         // in
  std::optional<core::AnsiText> cookies;            // in/out
  core::AnsiText returned_cookies;                  // out
  core::AnsiText headers;                           // in/out
  core::AnsiText response_headers;                  // out
  std::int32_t status = 0;                          // out, 0: no response
  bool no_redirect = false;                         // in
  core::ByteBuffer body_bytes;                      // in
  core::AnsiText proxy;                             // in
  std::int32_t timeout_seconds = 0;                 // in
  core::AnsiText proxy_user;                        // in
  core::AnsiText proxy_password;                    // in
  std::optional<std::int32_t> proxy_auth;           // in, absent counts as 1
  std::shared_ptr<platform::HttpRequest> request_object;  // in, may be null
  std::optional<bool> merge_cookies;                // in, absent counts as true
};

// Performs the request and returns the response body (empty on failure).
// Never throws; failures show as an empty body and status 0.
core::ByteBuffer WebRequest(WebRequestOptions& options);

}  // namespace web

#endif  // WEB_WEB_REQUEST_H_
