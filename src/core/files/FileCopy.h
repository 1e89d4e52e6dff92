#pragma once
// The careful copy: a file's contents, permission bits and times written under a hidden name in
// the target's folder, and only then put in place, so no one ever sees a half-written file and a
// copy never truncates its own source. Paths are byte strings passed to the system unchanged.
#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

#include "core/files/FileStatus.h"
#include "core/files/UniqueFd.h"

namespace tossbox {

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

// Copies `from` over `to` through a hidden copy beside `to`, renamed into place, so `to` is
// never seen half written. Refuses when both name the same file, so a copy never truncates its
// own source.
[[nodiscard]] bool copyFileReplacing(const std::string& from, const std::string& to);

}  // namespace tossbox
