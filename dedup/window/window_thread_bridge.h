// Carries work from worker threads to the window's thread and waits for it.
#ifndef DEDUP_WINDOW_WINDOW_THREAD_BRIDGE_H_
#define DEDUP_WINDOW_WINDOW_THREAD_BRIDGE_H_

#include <QObject>
#include <functional>
#include <mutex>
#include <thread>

namespace dedup {

class WindowThreadBridge {
 public:
  using Done = std::function<void()>;

  // Create on the window's thread; `context` decides where work runs.
  explicit WindowThreadBridge(QObject* context);

  // Call before `context` goes away. Later work is refused, and work that
  // is queued or waiting for `done` releases its caller when `context` and
  // whatever holds `done` are destroyed.
  void Detach();

  bool OnWindowThread() const {
    return std::this_thread::get_id() == window_thread_;
  }

  // From a worker: queues `work` on the window's thread and blocks until it
  // calls `done`, or until every copy of `done` is gone without a call (the
  // window closed meanwhile). False when the work never ran. From the
  // window's thread itself this would wait for itself, so it runs `work`
  // at once and returns without waiting.
  bool Await(std::function<void(Done done)> work);

  // Await for work that is finished when it returns.
  bool Call(std::function<void()> work);

 private:
  const std::thread::id window_thread_;
  std::mutex mutex_;
  QObject* context_;
};

}  // namespace dedup

#endif  // DEDUP_WINDOW_WINDOW_THREAD_BRIDGE_H_
