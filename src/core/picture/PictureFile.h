#pragma once
// Reading a picture file whole, its exact size, and the plain copy the JPEG
// retry makes. Paths are the file system's bytes, used as
// given.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/files/RegularFile.h"

namespace tossbox {

// Larger files are not read: no picture the program shows needs more.
inline constexpr std::uint64_t kMaxPictureFileBytes = std::uint64_t{1} << 30;

// The file's bytes; nullopt when it cannot be opened or read whole, is not a
// regular file, or is larger than `limit`. Never waits on a FIFO or device.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> readPictureFile(
    const std::string& path, std::uint64_t limit = kMaxPictureFileBytes);

// The byte count of the directory entry; nullopt when there is none.
[[nodiscard]] std::optional<std::int64_t> fileByteCount(const std::string& path);

// Copies `from` over `to` through the careful copy (a hidden file beside `to`, renamed into
// place), so `to` is never seen half written. Refuses when both name the same file, so a copy
// never truncates its own source.
[[nodiscard]] bool copyFileReplacing(const std::string& from, const std::string& to);

}  // namespace tossbox
