#include "web/web_request.h"

#include "platform/http/http_request.h"
#include "web/web_request_steps.h"

namespace web {

core::ByteBuffer WebRequest(WebRequestOptions& options) {
  return RunWebRequest(options, [] { return platform::CreateHttpRequest(); });
}

}  // namespace web
