#include "dedup/window/window_thread_bridge.h"

#include <QMetaObject>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <utility>

namespace dedup {
namespace {

class Latch {
 public:
  void Open() {
    {
      std::lock_guard lock(mutex_);
      open_ = true;
    }
    changed_.notify_all();
  }
  void Wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return open_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = false;
};

// Opens the latch when the last reference goes, so work that is discarded
// unrun (its receiver destroyed, the application shut down) or a `done`
// that is dropped uncalled still frees the waiting worker.
class LatchOpener {
 public:
  explicit LatchOpener(std::shared_ptr<Latch> latch)
      : latch_(std::move(latch)) {}
  LatchOpener(const LatchOpener&) = delete;
  LatchOpener& operator=(const LatchOpener&) = delete;
  ~LatchOpener() { latch_->Open(); }
  void Open() { latch_->Open(); }

 private:
  std::shared_ptr<Latch> latch_;
};

}  // namespace

WindowThreadBridge::WindowThreadBridge(QObject* context)
    : window_thread_(std::this_thread::get_id()), context_(context) {}

void WindowThreadBridge::Detach() {
  std::lock_guard lock(mutex_);
  context_ = nullptr;
}

bool WindowThreadBridge::Await(std::function<void(Done done)> work) {
  if (OnWindowThread()) {
    {
      std::lock_guard lock(mutex_);
      if (context_ == nullptr) return false;
    }
    work([] {});
    return true;
  }
  auto latch = std::make_shared<Latch>();
  auto ran = std::make_shared<std::atomic<bool>>(false);
  {
    auto opener = std::make_shared<LatchOpener>(latch);
    std::lock_guard lock(mutex_);
    if (context_ == nullptr) return false;
    // Posting under the lock keeps Detach from running between the check
    // and the post; the window's destruction then removes the posted work.
    QMetaObject::invokeMethod(
        context_,
        [work = std::move(work), opener, ran] {
          ran->store(true);
          work([opener] { opener->Open(); });
        },
        Qt::QueuedConnection);
  }
  latch->Wait();
  return ran->load();
}

bool WindowThreadBridge::Call(std::function<void()> work) {
  return Await([&work](const Done& done) {
    work();
    done();
  });
}

}  // namespace dedup
