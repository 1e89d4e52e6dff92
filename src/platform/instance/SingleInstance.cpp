#include "platform/instance/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace tossbox {

std::string SingleInstance::defaultLockPath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  struct stat info {};
  if (runtime != nullptr && *runtime != '\0' && stat(runtime, &info) == 0 && S_ISDIR(info.st_mode))
    return std::string(runtime) + "/TOSSMTX";
  return "/tmp/TOSSMTX-" + std::to_string(getuid());
}

SingleInstance::SingleInstance() : path_(defaultLockPath()) {
  const int fd = open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return;
  }
  fd_ = fd;
}

SingleInstance::~SingleInstance() {
  if (fd_ >= 0) close(fd_);
}

}  // namespace tossbox
