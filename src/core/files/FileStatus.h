#pragma once
// What stands at a path: which file it is, its size and times, and its type.
#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <string>

namespace tossbox {

// What makes a file the same file later on: where it is on disk, its size, its modification
// time and its change time (to the nanosecond the file system keeps). A user can put the
// modification time back after an edit, but no one can set the change time: every write, rename
// or change of times moves it on.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modifiedNs = 0;
  std::int64_t changedNs = 0;

  [[nodiscard]] bool sameFileAs(const FileIdentity& other) const {
    return device == other.device && inode == other.inode;
  }
  bool operator==(const FileIdentity&) const = default;
};

[[nodiscard]] FileIdentity identityOf(const struct stat& st);

struct FileStatus {
  FileIdentity identity;
  bool regular = false;
  bool folder = false;
  bool link = false;  // only seen when links are not followed
};

enum class Follow { Links, NotLinks };

// The status of what stands at `path`; nullopt when nothing does (or it cannot be looked at).
[[nodiscard]] std::optional<FileStatus> statusOf(const std::string& path, Follow follow);

// The identity of the file at `path`, links followed; nullopt when there is none.
[[nodiscard]] std::optional<FileIdentity> identityAt(const std::string& path);

// The byte count of the directory entry, links followed; nullopt when there is none.
[[nodiscard]] std::optional<std::int64_t> fileByteCount(const std::string& path);

}  // namespace tossbox
