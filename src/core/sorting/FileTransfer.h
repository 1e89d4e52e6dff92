#pragma once
// The file-system steps that copy, move and undo are built from, over POSIX calls. Each step
// either does all it says or leaves the files as they were, and reports the system's reason when
// it fails. Paths are byte strings passed to the system unchanged.
#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "core/files/UniqueFd.h"

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

struct FileStatus {
  FileIdentity identity;
  bool regular = false;
  bool folder = false;
  bool link = false;  // only seen when links are not followed
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

// Puts the names in `folder` on the disk, so that a file renamed into it is still there after a
// crash. File systems that cannot sync a folder count as synced.
[[nodiscard]] std::error_code syncFolder(const std::string& folder);

// The text of the symbolic link at `path`, exactly as stored; nullopt when it is not a link.
[[nodiscard]] std::optional<std::string> linkTextOf(const std::string& path);

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

// A finished copy of a regular file (or a link) under a hidden name in a folder, not yet in
// place.
struct HiddenCopy {
  std::string path;
  FileIdentity identity;  // of the copy, after its times were set; renaming moves its change time
  std::error_code error;
};

// Told how far a copy has come: the bytes written so far and the size of the source. Called on
// the thread that copies.
using CopyProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

// Copies the contents, permission bits and times of the regular file `source` into a new hidden
// file in `folder`, telling `progress` (when given) after each step. On failure nothing is left
// behind.
[[nodiscard]] HiddenCopy writeHiddenCopy(const std::string& source, const std::string& folder,
                                         Durability durability, const CopyProgress& progress = {});

// A new symbolic link holding `text` under a fresh hidden name in `folder`.
[[nodiscard]] HiddenCopy writeHiddenLink(const std::string& text, const std::string& folder);

}  // namespace tossbox
