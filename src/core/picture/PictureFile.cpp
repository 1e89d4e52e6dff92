#include "core/picture/PictureFile.h"

namespace tossbox {

std::optional<std::vector<std::uint8_t>> readPictureFile(const std::string& path,
                                                         std::uint64_t limit) {
  std::optional<FileBytes> file = readRegularFile(path, limit);
  if (!file) return std::nullopt;
  return std::move(file->bytes);
}

}  // namespace tossbox
