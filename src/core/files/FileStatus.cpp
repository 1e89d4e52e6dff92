#include "core/files/FileStatus.h"

namespace tossbox {

namespace {

std::int64_t nanoseconds(const struct timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

}  // namespace

FileIdentity identityOf(const struct stat& st) {
  return FileIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                      static_cast<std::uint64_t>(st.st_size), nanoseconds(st.st_mtim),
                      nanoseconds(st.st_ctim)};
}

std::optional<FileStatus> statusOf(const std::string& path, Follow follow) {
  struct stat st {};
  const int result =
      follow == Follow::Links ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st);
  if (result != 0) return std::nullopt;
  return FileStatus{identityOf(st), S_ISREG(st.st_mode), S_ISDIR(st.st_mode), S_ISLNK(st.st_mode)};
}

std::optional<FileIdentity> identityAt(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return identityOf(st);
}

std::optional<std::int64_t> fileByteCount(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return static_cast<std::int64_t>(info.st_size);
}

}  // namespace tossbox
