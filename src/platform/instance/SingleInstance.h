#pragma once
// Keeps the program to one running copy per user: an exclusive lock on the
// file TOSSMTX in the runtime folder. The kernel drops the lock when the
// process ends, however it ends, so a crash never blocks the next start.
#include <string>

namespace tossbox {

class SingleInstance {
 public:
  enum class State {
    Acquired,       // this copy holds the lock
    HeldByAnother,  // another copy of the program runs
    Failed,         // the lock file could not be used; failure() says why
  };

  // The lock at defaultLockPath().
  SingleInstance();
  explicit SingleInstance(std::string lockPath);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  [[nodiscard]] State state() const { return state_; }
  [[nodiscard]] bool acquired() const { return state_ == State::Acquired; }
  [[nodiscard]] const std::string& lockPath() const { return path_; }
  // The system's reason when the state is Failed.
  [[nodiscard]] const std::string& failure() const { return failure_; }

  static std::string defaultLockPath();

 private:
  void fail(std::string reason);

  std::string path_;
  int fd_ = -1;
  State state_ = State::Failed;
  std::string failure_;
};

}  // namespace tossbox
