// WebRequest with the request object's creation handed in, so that the
// steps can be driven over any HttpRequest, including one that cannot be
// made.
#ifndef WEB_WEB_REQUEST_STEPS_H_
#define WEB_WEB_REQUEST_STEPS_H_

#include <functional>
#include <memory>

#include "core/text/ansi_text.h"
#include "web/web_request.h"

namespace web {

using HttpRequestFactory =
    std::function<std::shared_ptr<platform::HttpRequest>()>;

// Used only when options.request_object is null.
core::ByteBuffer RunWebRequest(WebRequestOptions& options,
                               const HttpRequestFactory& create_request);

// The milliseconds handed to SetTimeouts, or none for -1. Seconds whose
// milliseconds pass the 32-bit range are held at its top (about 24.8 days),
// which no exchange reaches.
std::optional<int> TimeoutMilliseconds(std::int32_t timeout_seconds);

}  // namespace web

#endif  // WEB_WEB_REQUEST_STEPS_H_
