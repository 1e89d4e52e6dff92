#pragma once
// Ownership of one POSIX file descriptor: closed when the owner goes, unless it was closed
// explicitly first, which is how a write error reported only by close() is seen.
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <utility>

namespace tossbox {

class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
      if (fd_ >= 0) ::close(fd_);
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;

  [[nodiscard]] int get() const { return fd_; }
  [[nodiscard]] bool valid() const { return fd_ >= 0; }

  // Closes now and says whether the close reported an error.
  [[nodiscard]] std::error_code close() {
    const int fd = std::exchange(fd_, -1);
    if (fd >= 0 && ::close(fd) != 0 && errno != EINTR) {
      return {errno, std::generic_category()};
    }
    return {};
  }

 private:
  int fd_ = -1;
};

}  // namespace tossbox
