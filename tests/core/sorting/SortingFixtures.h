#pragma once
// Real files in a fresh temporary folder, and a trash that is just another folder there.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "TempTree.h"
#include "core/sorting/FileTransfer.h"
#include "core/sorting/Trash.h"

namespace tossbox::testing {

// A fresh folder on another file system than `near`, for moves that cannot be a rename:
// /dev/shm, where it is a tmpfs of its own. Null where there is no such second file system;
// the tests that need one are then skipped.
inline std::unique_ptr<TempTree> folderOnAnotherFileSystem(const TempTree& near) {
  struct stat here {
  }, there{};
  if (::stat(near.root().c_str(), &here) != 0 || ::stat("/dev/shm", &there) != 0 ||
      here.st_dev == there.st_dev) {
    return nullptr;
  }
  return std::make_unique<TempTree>("tossbox-sorting-", "/dev/shm");
}

inline void writeFile(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool exists(const std::string& path) {
  return entryAt(path) != Entry::None;
}

// Puts a file far in the past with unusual permission bits, so that keeping them is visible.
inline void ageFile(const std::string& path) {
  const struct timespec times[2] = {{1'000'000'000, 0}, {1'234'567'890, 123'456'789}};
  ::utimensat(AT_FDCWD, path.c_str(), times, 0);
  ::chmod(path.c_str(), 0640);
}

inline std::int64_t modifiedNs(const std::string& path) {
  return statusOf(path, Follow::Links).value().identity.modifiedNs;
}

inline unsigned permissionBits(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_mode & 07777;
}

class FolderTrash final : public Trash {
 public:
  explicit FolderTrash(std::string folder) : folder_(std::move(folder)) {
    std::filesystem::create_directories(folder_);
  }

  std::optional<std::string> moveToTrash(const std::string& path) override {
    if (refuseTrash) return std::nullopt;
    const std::string trashed = folder_ + "/" + std::to_string(++count_) + "-" +
                                std::filesystem::path(path).filename().string();
    if (renameNoReplace(path, trashed)) return std::nullopt;
    return trashed;
  }

  bool restoreFromTrash(const std::string& trashedPath, const std::string& originalPath) override {
    if (refuseRestore) return false;
    return !renameNoReplace(trashedPath, originalPath);
  }

  bool refuseTrash = false;
  bool refuseRestore = false;

 private:
  std::string folder_;
  int count_ = 0;
};

}  // namespace tossbox::testing
