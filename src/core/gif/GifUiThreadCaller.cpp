#include "core/gif/GifUiThreadCaller.h"

#include <chrono>

namespace tossbox {

QueuedUiThreadCaller::QueuedUiThreadCaller() : uiThread_(std::this_thread::get_id()) {}

void QueuedUiThreadCaller::call(const std::function<void()>& work) {
  if (std::this_thread::get_id() == uiThread_) {
    work();
    return;
  }
  auto completion = std::make_shared<Completion>();
  {
    std::lock_guard lock(mutex_);
    jobs_.push_back({work, completion});
  }
  queued_.notify_all();
  wake();
  std::unique_lock lock(completion->mutex);
  completion->done.wait(lock, [&] { return completion->finished; });
  if (completion->error) std::rethrow_exception(completion->error);
}

void QueuedUiThreadCaller::runPending() {
  for (;;) {
    Job job;
    {
      std::lock_guard lock(mutex_);
      if (jobs_.empty()) return;
      job = std::move(jobs_.front());
      jobs_.pop_front();
    }
    std::exception_ptr error;
    try {
      job.work();
    } catch (...) {
      error = std::current_exception();
    }
    {
      std::lock_guard lock(job.completion->mutex);
      job.completion->finished = true;
      job.completion->error = error;
    }
    job.completion->done.notify_all();
  }
}

void QueuedUiThreadCaller::serveUntil(const std::function<bool()>& done) {
  // A painter's last act is a call, so done() changes while a call runs; the timed wait only
  // guards against a change made some other way.
  constexpr auto kRecheck = std::chrono::milliseconds(20);
  for (;;) {
    runPending();
    if (done()) return;
    std::unique_lock lock(mutex_);
    queued_.wait_for(lock, kRecheck, [this] { return !jobs_.empty(); });
  }
}

bool QueuedUiThreadCaller::processMessages() {
  runPending();
  return true;
}

}  // namespace tossbox
