#include "core/shellns/FolderHandle.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace tossbox {

namespace {

constexpr int kOpenFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};

bool isFolderEntry(int parentFd, const dirent& entry) {
  if (entry.d_type == DT_DIR) return true;
  if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
  struct stat status {};
  return fstatat(parentFd, entry.d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

std::optional<FolderHandle> FolderHandle::open(const std::string& path) {
  const int fd = ::open(path.c_str(), kOpenFlags);
  if (fd < 0) return std::nullopt;
  return FolderHandle(fd);
}

FolderHandle& FolderHandle::operator=(FolderHandle&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

FolderHandle::~FolderHandle() {
  if (fd_ >= 0) ::close(fd_);
}

std::optional<FolderHandle> FolderHandle::openChild(std::string_view name) const {
  const std::string terminated(name);
  const int fd = ::openat(fd_, terminated.c_str(), kOpenFlags);
  if (fd < 0) return std::nullopt;
  return FolderHandle(fd);
}

bool FolderHandle::isChildFolder(std::string_view name) const {
  const std::string terminated(name);
  struct stat status {};
  return fstatat(fd_, terminated.c_str(), &status, 0) == 0 && S_ISDIR(status.st_mode);
}

template <typename Visit>
bool FolderHandle::forEachVisibleSubfolder(Visit&& visit) const {
  // fdopendir takes over the descriptor it is given, so it gets a duplicate of ours, rewound
  // because duplicates share one position.
  const int readFd = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
  if (readFd < 0) return false;
  std::unique_ptr<DIR, DirCloser> dir(fdopendir(readFd));
  if (!dir) {
    ::close(readFd);
    return false;
  }
  rewinddir(dir.get());
  while (true) {
    errno = 0;
    const dirent* entry = readdir(dir.get());
    if (entry == nullptr) return errno == 0;
    if (!isVisibleName(entry->d_name) || !isFolderEntry(fd_, *entry)) continue;
    if (!visit(std::string_view(entry->d_name))) return true;
  }
}

std::optional<std::vector<std::string>> FolderHandle::visibleSubfolders() const {
  std::vector<std::string> names;
  const bool read = forEachVisibleSubfolder([&names](std::string_view name) {
    names.emplace_back(name);
    return true;
  });
  if (!read) return std::nullopt;
  return names;
}

bool FolderHandle::hasVisibleSubfolder() const {
  bool found = false;
  forEachVisibleSubfolder([&found](std::string_view) {
    found = true;
    return false;
  });
  return found;
}

bool FolderHandle::isSameFolder(const FolderHandle& other) const {
  struct stat mine {};
  struct stat theirs {};
  if (fstat(fd_, &mine) != 0 || fstat(other.fd_, &theirs) != 0) return false;
  return mine.st_dev == theirs.st_dev && mine.st_ino == theirs.st_ino;
}

bool isVisibleName(std::string_view name) {
  return !name.empty() && name.front() != '.';
}

bool isExistingFolder(const std::string& path) {
  struct stat status {};
  return !path.empty() && stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool isExistingFile(const std::string& path) {
  struct stat status {};
  return !path.empty() && stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

}  // namespace tossbox
