#pragma once
// What makes a file on disk the file that was read: a file replaced under the same name (another
// inode), rewritten in place (size, modification time) or on another device is another file.
#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <string>

namespace tossbox {

struct DiskFacts {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modifiedNs = 0;

  bool operator==(const DiskFacts&) const = default;
};

[[nodiscard]] DiskFacts diskFactsOf(const struct stat& info);
// The facts of the file at `path` now; nullopt when it cannot be looked at.
[[nodiscard]] std::optional<DiskFacts> diskFactsNow(const std::string& path);

}  // namespace tossbox
