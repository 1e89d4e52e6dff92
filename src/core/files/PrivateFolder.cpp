#include "core/files/PrivateFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "core/files/UserFolders.h"

namespace tossbox {

namespace {

bool isAbsoluteFolder(const char* path) {
  struct stat info {};
  return path != nullptr && path[0] == '/' && ::stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

// Only files are ever put in the folder, so it is emptied without descending anywhere.
void removeFolderAndFiles(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd >= 0) {
    DIR* dir = ::fdopendir(fd);
    if (dir == nullptr) {
      ::close(fd);
    } else {
      while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") ::unlinkat(::dirfd(dir), entry->d_name, 0);
      }
      ::closedir(dir);
    }
  }
  ::rmdir(folder.c_str());
}

}  // namespace

PrivateFolder::~PrivateFolder() {
  if (!path_.empty()) removeFolderAndFiles(path_);
}

std::optional<std::string> PrivateFolder::path() {
  if (!path_.empty()) return path_;
  std::string pattern = baseFolder() + "/tossbox-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) return std::nullopt;
  path_ = std::move(pattern);
  return path_;
}

std::string PrivateFolder::baseFolder() {
  if (std::optional<std::string> runtime = currentRuntimeFolder()) return *runtime;
  if (const char* temp = std::getenv("TMPDIR"); isAbsoluteFolder(temp)) return temp;
  return "/tmp";
}

}  // namespace tossbox
