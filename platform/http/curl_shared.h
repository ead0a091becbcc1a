// The process-wide part of the curl layer: the library's one-time
// initialisation and the cache of kept-alive connections, TLS sessions and
// name lookups that every request object shares, so consecutive requests to
// one host made through new objects ride one connection.
#ifndef PLATFORM_HTTP_CURL_SHARED_H_
#define PLATFORM_HTTP_CURL_SHARED_H_

#include <curl/curl.h>

namespace platform {

// Initialises the library on first use (thread-safe). Null when it cannot.
CURLSH* SharedCurlCache();

}  // namespace platform

#endif  // PLATFORM_HTTP_CURL_SHARED_H_
