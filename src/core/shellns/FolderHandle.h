#pragma once
// An open folder of the file system, held by its descriptor so that the folders and links
// inside it are looked at relative to it: no path is rebuilt from strings and no path length
// limit applies below it. Links are followed, one name at a time, which the kernel bounds for
// link loops (ELOOP), so nothing here can go round in circles.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tossbox {

class FolderHandle {
 public:
  // nullopt when `path` is not a folder that can be opened.
  [[nodiscard]] static std::optional<FolderHandle> open(const std::string& path);

  FolderHandle(FolderHandle&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FolderHandle& operator=(FolderHandle&& other) noexcept;
  FolderHandle(const FolderHandle&) = delete;
  FolderHandle& operator=(const FolderHandle&) = delete;
  ~FolderHandle();

  // The folder `name` inside this one, links followed.
  [[nodiscard]] std::optional<FolderHandle> openChild(std::string_view name) const;
  // Whether `name` inside this one is a folder or a link to one.
  [[nodiscard]] bool isChildFolder(std::string_view name) const;
  // The names of the visible folders inside (see isVisibleName) in the order the file system
  // lists them; nullopt when the folder cannot be read.
  [[nodiscard]] std::optional<std::vector<std::string>> visibleSubfolders() const;
  // Whether at least one visible folder is inside; stops at the first.
  [[nodiscard]] bool hasVisibleSubfolder() const;
  // Whether this is the same folder as `other` (device and inode).
  [[nodiscard]] bool isSameFolder(const FolderHandle& other) const;

 private:
  explicit FolderHandle(int fd) : fd_(fd) {}
  // Calls `visit` with each visible subfolder's name until it returns false; false when the
  // folder cannot be read.
  template <typename Visit>
  bool forEachVisibleSubfolder(Visit&& visit) const;

  int fd_;
};

// Hidden names (a leading dot, "." and ".." among them) are left out of the tree, as file
// managers do unless asked; such a folder can still be typed as a path.
[[nodiscard]] bool isVisibleName(std::string_view name);

// Whether `path` names an existing folder (links followed).
[[nodiscard]] bool isExistingFolder(const std::string& path);
// Whether `path` names an existing entry that is not a folder (links followed).
[[nodiscard]] bool isExistingFile(const std::string& path);

}  // namespace tossbox
