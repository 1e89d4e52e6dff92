#include "core/files/PosixDirectoryLister.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <utility>

namespace tossbox {

namespace {

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

ItemType typeOfMode(mode_t mode) {
  if (S_ISDIR(mode)) return ItemType::Folder;
  if (S_ISREG(mode)) return ItemType::File;
  return ItemType::Other;
}

class PosixFolderReader final : public FolderReader {
 public:
  PosixFolderReader(DirHandle dir, FolderId id) : dir_(std::move(dir)), id_(id) {}

  [[nodiscard]] FolderId id() const override { return id_; }

  [[nodiscard]] std::optional<FolderItem> next() override {
    const dirent* entry = readdir(dir_.get());
    if (entry == nullptr) return std::nullopt;
    return FolderItem{entry->d_name, typeOf(*entry)};
  }

 private:
  [[nodiscard]] ItemType typeOf(const dirent& entry) const {
    switch (entry.d_type) {
      case DT_DIR:
        return ItemType::Folder;
      case DT_REG:
        return ItemType::File;
      case DT_LNK:
      case DT_UNKNOWN:
        break;
      default:
        return ItemType::Other;
    }
    struct stat status {};
    if (fstatat(dirfd(dir_.get()), entry.d_name, &status, 0) != 0) return ItemType::Other;
    return typeOfMode(status.st_mode);
  }

  DirHandle dir_;
  FolderId id_;
};

}  // namespace

std::unique_ptr<FolderReader> PosixDirectoryLister::open(const std::string& path) {
  DirHandle dir(opendir(path.c_str()));
  if (!dir) return nullptr;
  struct stat status {};
  if (fstat(dirfd(dir.get()), &status) != 0) return nullptr;
  const FolderId id{static_cast<std::uint64_t>(status.st_dev),
                    static_cast<std::uint64_t>(status.st_ino)};
  return std::make_unique<PosixFolderReader>(std::move(dir), id);
}

bool PosixDirectoryLister::isFolder(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace tossbox
