#include "core/picture/PictureFile.h"

#include <stdio.h>
#include <sys/stat.h>

#include "core/sorting/FileTransfer.h"
#include "core/sorting/SortPaths.h"

namespace tossbox {

std::optional<std::vector<std::uint8_t>> readPictureFile(const std::string& path,
                                                         std::uint64_t limit) {
  std::optional<FileBytes> file = readRegularFile(path, limit);
  if (!file) return std::nullopt;
  return std::move(file->bytes);
}

std::optional<std::int64_t> fileByteCount(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return static_cast<std::int64_t>(info.st_size);
}

bool copyFileReplacing(const std::string& from, const std::string& to) {
  const auto source = statusOf(from, Follow::Links);
  const auto target = statusOf(to, Follow::Links);
  if (!source || !source->regular) return false;
  if (target && target->identity.sameFileAs(source->identity)) return false;
  const HiddenCopy copy = writeHiddenCopy(from, std::string(folderOf(to)), Durability::Cached);
  if (copy.error) return false;
  if (::rename(copy.path.c_str(), to.c_str()) == 0) return true;
  ::unlink(copy.path.c_str());
  return false;
}

}  // namespace tossbox
