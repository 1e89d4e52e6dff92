#include "platform/instance/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <utility>

#include "core/files/UserFolders.h"

namespace tossbox {

namespace {

std::string errnoText(int error) {
  return std::error_code(error, std::generic_category()).message();
}

}  // namespace

std::string SingleInstance::defaultLockPath() {
  if (const std::optional<std::string> runtime = currentRuntimeFolder())
    return *runtime + "/TOSSMTX";
  return "/tmp/TOSSMTX-" + std::to_string(getuid());
}

// Only a lock held by another copy means "already running"; a lock file that cannot be opened
// or locked is an error of its own, with the system's reason.
SingleInstance::SingleInstance() : SingleInstance(defaultLockPath()) {}

SingleInstance::SingleInstance(std::string lockPath) : path_(std::move(lockPath)) {
  // Not through a link, and never waiting on whatever else stands at the name.
  const int fd = open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
  if (fd < 0) {
    fail(errnoText(errno));
    return;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0) {
    fail(errnoText(errno));
  } else if (!S_ISREG(info.st_mode)) {
    fail("通常のファイルではありません");
  } else if (info.st_uid != geteuid()) {
    // Another user's file would let that user keep this one from starting.
    fail("ほかのユーザーのファイルです");
  } else if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) {
      state_ = State::HeldByAnother;
    } else {
      fail(errnoText(errno));
    }
  } else {
    fd_ = fd;
    state_ = State::Acquired;
    return;
  }
  close(fd);
}

SingleInstance::~SingleInstance() {
  if (fd_ >= 0) close(fd_);
}

void SingleInstance::fail(std::string reason) {
  state_ = State::Failed;
  failure_ = std::move(reason);
}

}  // namespace tossbox
