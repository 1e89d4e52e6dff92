#include "core/picture/IconDirectory.h"

namespace tossbox {

namespace {
constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;
}  // namespace

std::optional<IconDirectory> parseIconDirectory(Bytes file) {
  if (!fits(file, 0, kHeaderSize)) return std::nullopt;
  if (u16At(file, 0) != 0 || u16At(file, 2) != 1) return std::nullopt;
  IconDirectory dir;
  dir.count = u16At(file, 4);
  if (dir.count == 0) return std::nullopt;
  const std::uint64_t entriesEnd = kHeaderSize + std::uint64_t{dir.count} * kEntrySize;
  if (!fits(file, 0, entriesEnd)) return std::nullopt;
  const std::size_t at = kHeaderSize;
  dir.first.width = file[at] == 0 ? 256 : file[at];
  dir.first.height = file[at + 1] == 0 ? 256 : file[at + 1];
  dir.first.size = u32At(file, at + 8);
  dir.first.offset = u32At(file, at + 12);
  if (dir.first.size == 0 || dir.first.offset < entriesEnd) return std::nullopt;
  if (!fits(file, dir.first.offset, dir.first.size)) return std::nullopt;
  return dir;
}

}  // namespace tossbox
