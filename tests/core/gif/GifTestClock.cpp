#include "GifTestClock.h"

namespace tossbox::gif_test {

bool FakeClock::waitUntil(GifTime deadline, GifStopEvent& stop) {
  bool free;
  {
    std::lock_guard lock(mutex_);
    waits_.push_back(static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now_).count()));
    free = waits_.size() <= freeWaits_;
    if (free && deadline > now_) now_ = deadline;
  }
  if (free) return stop.isSet();
  blocked_ = true;
  // A safety limit so that a painter that is never stopped cannot hang the tests.
  const bool stopped = stop.waitUntil(std::chrono::steady_clock::now() + std::chrono::seconds(20));
  blockEndedByStop_ = stopped;
  return stopped;
}

}  // namespace tossbox::gif_test
