#pragma once
// A FIFO standing where a test's code expects a file. Code that opens it for reading without
// O_NONBLOCK waits for a writer for ever; after `patience` a watcher opens the writing end
// (and closes it again) so that such a wait ends, and rescued() tells the test it happened.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

class WaitingFifo {
 public:
  explicit WaitingFifo(std::string path,
                       std::chrono::milliseconds patience = std::chrono::milliseconds(2000))
      : path_(std::move(path)) {
    if (::mkfifo(path_.c_str(), 0600) != 0) throw std::runtime_error("mkfifo " + path_);
    watcher_ = std::thread([this, patience] { watch(patience); });
  }
  ~WaitingFifo() { stop(); }
  WaitingFifo(const WaitingFifo&) = delete;
  WaitingFifo& operator=(const WaitingFifo&) = delete;

  // Ends the watch; call it once the code under test is done.
  void stop() {
    stopping_ = true;
    if (watcher_.joinable()) watcher_.join();
  }
  [[nodiscard]] bool rescued() const { return rescues_ > 0; }
  [[nodiscard]] const std::string& path() const { return path_; }

 private:
  void watch(std::chrono::milliseconds patience) {
    const auto start = std::chrono::steady_clock::now();
    while (!stopping_) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      if (std::chrono::steady_clock::now() - start < patience) continue;
      // Succeeds only while a reader has the FIFO open, that is, waits in it.
      const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd < 0) continue;
      ++rescues_;
      ::close(fd);
    }
  }

  std::string path_;
  std::atomic<bool> stopping_{false};
  std::atomic<int> rescues_{0};
  std::thread watcher_;
};
