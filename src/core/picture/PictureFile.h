#pragma once
// Reading a picture file whole. Paths are the file system's bytes, used as given. A file's
// size (fileByteCount) and the copy the JPEG retry makes (copyFileReplacing) are the file
// layer's, included here for the renderers that read all three.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/files/FileCopy.h"
#include "core/files/FileStatus.h"
#include "core/files/RegularFile.h"

namespace tossbox {

// Larger files are not read: no picture the program shows needs more.
inline constexpr std::uint64_t kMaxPictureFileBytes = std::uint64_t{1} << 30;

// The file's bytes; nullopt when it cannot be opened or read whole, is not a
// regular file, or is larger than `limit`. Never waits on a FIFO or device.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> readPictureFile(
    const std::string& path, std::uint64_t limit = kMaxPictureFileBytes);

}  // namespace tossbox
