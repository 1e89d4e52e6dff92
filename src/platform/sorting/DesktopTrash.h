#pragma once
// The freedesktop trash behind the sorting core's Trash, through GIO's g_file_trash: it escapes
// the original path in the .trashinfo, takes names that are not UTF-8, and fails at once where
// the info file's name would not fit the file system.
//
// GLib reads HOME and XDG_DATA_HOME once per process and keeps what it read. The trash is
// therefore located here from the current environment, a file is handed to GIO only while GLib
// agrees with it, and a move counts only when the file is found, by its inode, in that trash.
// The data folder must be an absolute path, so nothing is ever written into the working folder.
// Only a regular file or a link is taken; nothing is ever deleted for good.
#include <optional>
#include <string>

#include "core/sorting/Trash.h"

namespace tossbox {

class DesktopTrash final : public Trash {
 public:
  [[nodiscard]] std::optional<std::string> moveToTrash(const std::string& path) override;
  // Renames the file back (never over anything) and removes its .trashinfo.
  [[nodiscard]] bool restoreFromTrash(const std::string& trashedPath,
                                      const std::string& originalPath) override;
};

}  // namespace tossbox
