#include "core/gif/GifClock.h"

#include <thread>

namespace tossbox {

void GifStopEvent::set() {
  {
    std::lock_guard lock(mutex_);
    set_ = true;
  }
  changed_.notify_all();
}

bool GifStopEvent::isSet() const {
  std::lock_guard lock(mutex_);
  return set_;
}

bool GifStopEvent::waitUntil(GifTime deadline) {
  std::unique_lock lock(mutex_);
  return changed_.wait_until(lock, deadline, [this] { return set_; });
}

void SteadyGifClock::yield() {
  std::this_thread::yield();
}

}  // namespace tossbox
