#pragma once
// Keeps the program to one running copy per user: an exclusive lock on the
// file TOSSMTX in the runtime folder. The kernel drops the lock when the
// process ends, however it ends, so a crash never blocks the next start.
#include <string>

namespace tossbox {

class SingleInstance {
 public:
  SingleInstance();
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // False when another copy holds the lock.
  [[nodiscard]] bool acquired() const { return fd_ >= 0; }
  [[nodiscard]] const std::string& lockPath() const { return path_; }

  static std::string defaultLockPath();

 private:
  std::string path_;
  int fd_ = -1;
};

}  // namespace tossbox
