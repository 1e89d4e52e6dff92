#pragma once
// Time for the painters: what time it is, and waiting for a deadline unless a stop event comes
// first. Tests put in a clock of their own to drive the frame delays.
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace tossbox {

using GifTime = std::chrono::steady_clock::time_point;

// A manual-reset event that ends a painter's wait at once.
class GifStopEvent {
 public:
  void set();
  [[nodiscard]] bool isSet() const;
  // Waits until the event is set or the (real) time has come; true when the event was set.
  bool waitUntil(GifTime deadline);

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool set_ = false;
};

class GifClock {
 public:
  virtual ~GifClock() = default;
  [[nodiscard]] virtual GifTime now() = 0;
  // Waits until `deadline`; returns true (at once) when `stop` is set first.
  virtual bool waitUntil(GifTime deadline, GifStopEvent& stop) = 0;
  // Lets other threads run.
  virtual void yield() = 0;
};

// The real clock.
class SteadyGifClock : public GifClock {
 public:
  [[nodiscard]] GifTime now() override { return std::chrono::steady_clock::now(); }
  bool waitUntil(GifTime deadline, GifStopEvent& stop) override { return stop.waitUntil(deadline); }
  void yield() override;
};

}  // namespace tossbox
