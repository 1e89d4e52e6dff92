#include "core/files/Leftovers.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

namespace tossbox {

namespace {

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

bool isLetterOrDigit(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace

bool isTemporaryName(std::string_view name, std::string_view prefix, std::size_t randomLength) {
  if (name.size() != prefix.size() + randomLength || !name.starts_with(prefix)) return false;
  const std::string_view random = name.substr(prefix.size());
  return std::all_of(random.begin(), random.end(), isLetterOrDigit);
}

int removeOwnLeftovers(const std::string& folder,
                       const std::function<bool(std::string_view name)>& isOurs) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return 0;
  const std::unique_ptr<DIR, DirCloser> dir(::fdopendir(fd));
  if (!dir) {
    ::close(fd);
    return 0;
  }
  int removed = 0;
  while (const dirent* entry = ::readdir(dir.get())) {
    if (!isOurs(entry->d_name)) continue;
    struct stat info {};
    if (::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (!S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) continue;
    if (::unlinkat(fd, entry->d_name, 0) == 0) ++removed;
  }
  return removed;
}

}  // namespace tossbox
