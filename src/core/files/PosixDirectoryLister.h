#pragma once
// The directory lister over opendir/readdir. The entry type from readdir (d_type) spares a stat
// for every plain file and folder; only links and file systems that do not fill it in cost a
// stat, which follows the link so that a link to a folder is listed as a folder.
#include "core/files/DirectoryLister.h"

namespace tossbox {

class PosixDirectoryLister final : public DirectoryLister {
 public:
  [[nodiscard]] std::unique_ptr<FolderReader> open(const std::string& path) override;
  [[nodiscard]] bool isFolder(const std::string& path) override;
};

}  // namespace tossbox
