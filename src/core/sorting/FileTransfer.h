#pragma once
// The file-system steps that copy, move and undo are built from, over POSIX calls. Each step
// either does all it says or leaves the files as they were, and reports the system's reason when
// it fails. Paths are byte strings passed to the system unchanged.
#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "core/files/UniqueFd.h"

namespace tossbox {

// What makes a file the same file later on: where it is on disk, its size and its modification
// time (to the nanosecond the file system keeps).
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modifiedNs = 0;

  [[nodiscard]] bool sameFileAs(const FileIdentity& other) const {
    return device == other.device && inode == other.inode;
  }
  bool operator==(const FileIdentity&) const = default;
};

struct FileStatus {
  FileIdentity identity;
  bool regular = false;
  bool folder = false;
};

enum class Follow { Links, NotLinks };

// The status of what stands at `path`; nullopt when nothing does (or it cannot be looked at).
[[nodiscard]] std::optional<FileStatus> statusOf(const std::string& path, Follow follow);

// What stands at a name, for deciding whether the name is taken.
enum class Entry {
  None,    // nothing: the name is free
  Folder,  // a folder, or a link to one
  File,    // anything else, including a dangling link or an entry that cannot be examined
};
[[nodiscard]] Entry entryAt(const std::string& path);

// Creates `folder` with every missing parent; no error when it exists already.
[[nodiscard]] std::error_code makeFolders(const std::string& folder);

// Renames `from` to `to` only while `to` is free; fails with EEXIST otherwise, also when
// something appears there in the meantime.
[[nodiscard]] std::error_code renameNoReplace(const std::string& from, const std::string& to);

[[nodiscard]] std::error_code removeFile(const std::string& path);

// The hidden names below: this prefix and kHiddenNameRandomLength letters or digits. A file of
// such a name still in a folder is a copy that was never finished.
inline constexpr std::string_view kHiddenNamePrefix = ".tossbox-";
inline constexpr std::size_t kHiddenNameRandomLength = 10;
[[nodiscard]] bool isHiddenCopyName(std::string_view name);

// A new empty file under a fresh hidden name in `folder`, opened for writing with `mode` (the
// umask applies). `path` receives its name.
[[nodiscard]] UniqueFd createHiddenFile(const std::string& folder, mode_t mode, std::string& path,
                                        std::error_code& error);

// Whether the written data must be on the disk before the copy counts as made: needed when the
// source is deleted afterwards.
enum class Durability { Cached, Synced };

// A finished copy of a regular file under a hidden name in a folder, not yet in place.
struct HiddenCopy {
  std::string path;
  FileIdentity identity;  // of the copy, after its times were set
  std::error_code error;
};

// Copies the contents, permission bits and times of the regular file `source` into a new hidden
// file in `folder`. On failure nothing is left behind.
[[nodiscard]] HiddenCopy writeHiddenCopy(const std::string& source, const std::string& folder,
                                         Durability durability);

}  // namespace tossbox
