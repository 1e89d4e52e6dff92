#pragma once
// Clocks for painter tests: time is virtual, and waits either pass at once or block until the
// painter's stop event comes.
#include <atomic>
#include <chrono>
#include <mutex>
#include <vector>

#include "core/gif/GifClock.h"

namespace tossbox::gif_test {

class FakeClock : public GifClock {
 public:
  // Waits pass at once while fewer than `freeWaits` have been made; later ones block (for real)
  // until the stop event is set.
  explicit FakeClock(std::size_t freeWaits = SIZE_MAX) : freeWaits_(freeWaits) {}

  GifTime now() override {
    std::lock_guard lock(mutex_);
    return now_;
  }
  bool waitUntil(GifTime deadline, GifStopEvent& stop) override;
  void yield() override {}

  // The waits asked for so far, in milliseconds.
  [[nodiscard]] std::vector<long> waits() const {
    std::lock_guard lock(mutex_);
    return waits_;
  }
  [[nodiscard]] bool blocked() const { return blocked_; }
  [[nodiscard]] bool blockEndedByStop() const { return blockEndedByStop_; }

 private:
  mutable std::mutex mutex_;
  GifTime now_{};
  std::vector<long> waits_;
  std::size_t freeWaits_;
  std::atomic<bool> blocked_{false};
  std::atomic<bool> blockEndedByStop_{false};
};

}  // namespace tossbox::gif_test
