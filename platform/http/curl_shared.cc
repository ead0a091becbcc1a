#include "platform/http/curl_shared.h"

#include <array>
#include <mutex>

namespace platform {
namespace {

class SharedCache {
 public:
  SharedCache() {
    if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) return;
    share_ = curl_share_init();
    if (share_ == nullptr) return;
    curl_share_setopt(share_, CURLSHOPT_LOCKFUNC, &SharedCache::Lock);
    curl_share_setopt(share_, CURLSHOPT_UNLOCKFUNC, &SharedCache::Unlock);
    curl_share_setopt(share_, CURLSHOPT_USERDATA, this);
    for (curl_lock_data data :
         {CURL_LOCK_DATA_CONNECT, CURL_LOCK_DATA_SSL_SESSION,
          CURL_LOCK_DATA_DNS}) {
      if (curl_share_setopt(share_, CURLSHOPT_SHARE, data) != CURLSHE_OK) {
        curl_share_cleanup(share_);
        share_ = nullptr;
        return;
      }
    }
  }

  CURLSH* share() const { return share_; }

 private:
  static void Lock(CURL*, curl_lock_data data, curl_lock_access, void* self) {
    static_cast<SharedCache*>(self)->Slot(data).lock();
  }
  static void Unlock(CURL*, curl_lock_data data, void* self) {
    static_cast<SharedCache*>(self)->Slot(data).unlock();
  }
  std::mutex& Slot(curl_lock_data data) {
    auto index = static_cast<std::size_t>(data);
    return locks_[index < locks_.size() ? index : 0];
  }

  std::array<std::mutex, CURL_LOCK_DATA_LAST> locks_;
  CURLSH* share_ = nullptr;
};

}  // namespace

CURLSH* SharedCurlCache() {
  // Never destroyed: request objects may outlive any static destructor, and
  // tearing the cache down under them would be worse than leaving the
  // kept-alive sockets to the process exit.
  static SharedCache* cache = new SharedCache();
  return cache->share();
}

}  // namespace platform
