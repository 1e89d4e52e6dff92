#pragma once
// How painter threads get work done on the user-interface thread, where all drawing happens.
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace tossbox {

class UiThreadCaller {
 public:
  virtual ~UiThreadCaller() = default;
  // Runs `work` on the user-interface thread and returns when it has run; an exception it
  // raises is raised here. Called on the user-interface thread itself, it runs `work` at once.
  virtual void call(const std::function<void()>& work) = 0;
  // On the user-interface thread: runs the calls painter threads make until `done()` holds.
  virtual void serveUntil(const std::function<bool()>& done) = 0;
  // On the user-interface thread: handles pending window messages for a painter that runs
  // inside a draw call; false once the application is quitting.
  virtual bool processMessages() = 0;
};

// For painters that never leave the calling thread: everything runs at once.
class InlineUiThreadCaller : public UiThreadCaller {
 public:
  void call(const std::function<void()>& work) override { work(); }
  void serveUntil(const std::function<bool()>&) override {}
  bool processMessages() override { return true; }
};

// Calls from other threads wait in a queue until the user-interface thread runs them, in its
// event loop (runPending, after wake() asked for it) or while it waits in serveUntil.
class QueuedUiThreadCaller : public UiThreadCaller {
 public:
  // Made on the user-interface thread.
  QueuedUiThreadCaller();

  void call(const std::function<void()>& work) override;
  void serveUntil(const std::function<bool()>& done) override;
  bool processMessages() override;
  // Runs the calls waiting now.
  void runPending();

 protected:
  // A call is waiting; the event loop should run runPending() soon. Called on the painter's
  // thread.
  virtual void wake() {}

 private:
  // The state a waiting caller shares with the queue, so a caller that wakes up never touches
  // the queue again.
  struct Completion {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::exception_ptr error;
  };
  struct Job {
    std::function<void()> work;
    std::shared_ptr<Completion> completion;
  };

  std::thread::id uiThread_;
  std::mutex mutex_;
  std::condition_variable queued_;
  std::deque<Job> jobs_;
};

}  // namespace tossbox
