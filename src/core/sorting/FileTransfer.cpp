#include "core/sorting/FileTransfer.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace tossbox {

namespace {

std::error_code lastError() {
  return {errno, std::generic_category()};
}

}  // namespace

Entry entryAt(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) {
    if (errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG) return Entry::None;
    return Entry::File;
  }
  if (S_ISDIR(st.st_mode)) return Entry::Folder;
  if (S_ISLNK(st.st_mode) && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    return Entry::Folder;
  }
  return Entry::File;
}

std::error_code makeFolders(const std::string& folder) {
  if (folder.empty()) return {};
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return error;
  // Made, or there already, yet not a folder now: something else took the name meanwhile.
  const std::optional<FileStatus> made = statusOf(folder, Follow::Links);
  if (!made || !made->folder) return std::make_error_code(std::errc::not_a_directory);
  return {};
}

std::error_code renameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
  if (errno != EINVAL && errno != ENOSYS) return lastError();
  // File systems without the flag: a hard link also refuses an existing name.
  if (::link(from.c_str(), to.c_str()) == 0) {
    if (::unlink(from.c_str()) == 0) return {};
    const std::error_code error = lastError();
    ::unlink(to.c_str());
    return error;
  }
  if (errno == EEXIST) return lastError();
  // Nor hard links: check, then rename. Only a name appearing in between is not caught.
  if (entryAt(to) != Entry::None) return std::make_error_code(std::errc::file_exists);
  if (::rename(from.c_str(), to.c_str()) != 0) return lastError();
  return {};
}

std::error_code removeFile(const std::string& path) {
  if (::unlink(path.c_str()) != 0) return lastError();
  return {};
}

std::error_code syncFolder(const std::string& folder) {
  UniqueFd fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd.valid()) return lastError();
  if (::fsync(fd.get()) != 0 && errno != EINVAL) return lastError();
  return fd.close();
}

std::optional<std::string> linkTextOf(const std::string& path) {
  std::string text(256, '\0');
  for (;;) {
    const ssize_t got = ::readlink(path.c_str(), text.data(), text.size());
    if (got < 0) return std::nullopt;
    if (static_cast<std::size_t>(got) < text.size()) {
      text.resize(static_cast<std::size_t>(got));
      return text;
    }
    // Possibly cut short: read again with room to spare. The kernel caps a link's length.
    if (text.size() >= (std::size_t{1} << 20)) return std::nullopt;
    text.resize(text.size() * 2);
  }
}

}  // namespace tossbox
