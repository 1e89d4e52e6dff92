#include "platform/sorting/BackgroundCopy.h"

#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace tossbox {

namespace {

// Often enough for a smooth percentage and repaints, seldom enough to leave the copy alone.
constexpr std::chrono::milliseconds kLookInterval{15};

class CopyWatch {
 public:
  void tell(std::uint64_t done, std::uint64_t total) {
    done_.store(done, std::memory_order_relaxed);
    total_.store(total, std::memory_order_relaxed);
  }
  [[nodiscard]] int percent() const {
    const std::uint64_t total = total_.load(std::memory_order_relaxed);
    if (total == 0) return 0;
    return static_cast<int>(
        std::min<std::uint64_t>(done_.load(std::memory_order_relaxed) * 100 / total, 100));
  }
  void finish() {
    const std::lock_guard lock(mutex_);
    finished_ = true;
    ended_.notify_all();
  }
  // True once the copy has ended; false after `interval` without.
  bool waitFor(std::chrono::milliseconds interval) {
    std::unique_lock lock(mutex_);
    return ended_.wait_for(lock, interval, [this] { return finished_; });
  }

 private:
  std::atomic<std::uint64_t> done_{0};
  std::atomic<std::uint64_t> total_{0};
  std::mutex mutex_;
  std::condition_variable ended_;
  bool finished_ = false;
};

}  // namespace

HiddenCopy copyInBackground(const LongCopy& copy, const std::function<void(int)>& percent) {
  CopyWatch watch;
  HiddenCopy result;
  std::exception_ptr failure;
  int shown = 0;
  percent(shown);
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  {
    const std::jthread worker([&] {
      try {
        result = copy([&](std::uint64_t done, std::uint64_t total) { watch.tell(done, total); });
      } catch (...) {
        failure = std::current_exception();
      }
      watch.finish();
    });
    while (!watch.waitFor(kLookInterval)) {
      if (const int now = watch.percent(); now != shown) {
        shown = now;
        percent(shown);
      }
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
  }
  if (failure) std::rethrow_exception(failure);
  if (!result.error) percent(100);
  return result;
}

}  // namespace tossbox
