#include "platform/http/curl_shared.h"

#include <array>
#include <memory>
#include <mutex>
#include <vector>

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

  std::unique_ptr<TransferSlot> Take() {
    {
      std::lock_guard lock(slots_mutex_);
      if (!idle_slots_.empty()) {
        std::unique_ptr<TransferSlot> slot = std::move(idle_slots_.back());
        idle_slots_.pop_back();
        return slot;
      }
    }
    auto slot = std::make_unique<TransferSlot>();
    slot->easy.reset(curl_easy_init());
    if (!slot->easy) return nullptr;
    return slot;
  }

  void Return(std::unique_ptr<TransferSlot> slot) {
    if (!slot) return;
    slot->body.clear();
    if (slot->body.capacity() > kMaxKeptBodyCapacity) {
      slot->body.shrink_to_fit();
    }
    // Drops whatever the last owner set (pointers into it included).
    curl_easy_reset(slot->easy.get());
    std::lock_guard lock(slots_mutex_);
    if (idle_slots_.size() < kMaxIdleSlots) {
      idle_slots_.push_back(std::move(slot));
    }
  }

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

  static constexpr std::size_t kMaxIdleSlots = 4;
  static constexpr std::size_t kMaxKeptBodyCapacity = std::size_t{4} << 20;

  std::array<std::mutex, CURL_LOCK_DATA_LAST> locks_;
  CURLSH* share_ = nullptr;
  std::mutex slots_mutex_;
  std::vector<std::unique_ptr<TransferSlot>> idle_slots_;
};

SharedCache& TheCache() {
  // Never destroyed: request objects may outlive any static destructor, and
  // tearing the cache down under them would be worse than leaving the
  // kept-alive sockets to the process exit.
  static SharedCache* cache = new SharedCache();
  return *cache;
}

}  // namespace

CURLSH* SharedCurlCache() { return TheCache().share(); }

std::unique_ptr<TransferSlot> TakeTransferSlot() {
  if (TheCache().share() == nullptr) return nullptr;
  return TheCache().Take();
}

void ReturnTransferSlot(std::unique_ptr<TransferSlot> slot) {
  TheCache().Return(std::move(slot));
}

}  // namespace platform
