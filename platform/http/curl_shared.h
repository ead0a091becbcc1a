// The process-wide part of the curl layer: the library's one-time
// initialisation, the cache of kept-alive connections, TLS sessions and name
// lookups that every request object shares (so consecutive requests to one
// host made through new objects ride one connection), and a few idle
// transfer slots that new objects take over instead of starting cold.
#ifndef PLATFORM_HTTP_CURL_SHARED_H_
#define PLATFORM_HTTP_CURL_SHARED_H_

#include <curl/curl.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

// What one request object works with. The body buffer keeps its capacity
// between owners: a fresh one per request would cost a page fault for every
// 4 KB of every page fetched.
struct TransferSlot {
  struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
  };
  std::unique_ptr<CURL, EasyDeleter> easy;
  std::vector<std::uint8_t> body;
};

// Initialises the library on first use (thread-safe). Null when it cannot.
CURLSH* SharedCurlCache();

// An idle slot or a new one; null when the library cannot make a handle.
std::unique_ptr<TransferSlot> TakeTransferSlot();
// Hands a slot back for the next object; surplus slots and large buffers
// are freed instead of kept.
void ReturnTransferSlot(std::unique_ptr<TransferSlot> slot);

}  // namespace platform

#endif  // PLATFORM_HTTP_CURL_SHARED_H_
