#pragma once
// What a folder scan needs from the file system: open a folder, tell which folder it really is
// (device and inode, so that a folder reached again through a link is recognised) and list its
// items in the file system's own order. Tests put an in-memory tree behind it.
#include <compare>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tossbox {

struct FolderId {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  friend auto operator<=>(const FolderId&, const FolderId&) = default;
};

enum class ItemType : unsigned char {
  Folder,  // a folder, or a link to one
  File,    // a regular file, or a link to one
  Other,   // anything else: device, pipe, socket, a link that leads nowhere
};

struct FolderItem {
  std::string_view name;  // valid until the next call of next()
  ItemType type = ItemType::Other;
};

// The items of one open folder; closes it when destroyed.
class FolderReader {
 public:
  virtual ~FolderReader() = default;
  [[nodiscard]] virtual FolderId id() const = 0;
  // The next item, "." and ".." included; nullopt at the end or on a read error.
  [[nodiscard]] virtual std::optional<FolderItem> next() = 0;
};

class DirectoryLister {
 public:
  virtual ~DirectoryLister() = default;
  // nullptr when `path` is not a folder or cannot be read.
  [[nodiscard]] virtual std::unique_ptr<FolderReader> open(const std::string& path) = 0;
  // Whether `path` names an existing folder (links followed).
  [[nodiscard]] virtual bool isFolder(const std::string& path) = 0;
};

}  // namespace tossbox
