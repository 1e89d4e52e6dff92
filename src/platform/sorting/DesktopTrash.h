#pragma once
// The freedesktop trash behind the sorting core's Trash, over QFile::moveToTrash. Qt 6.4 reports
// success and writes into ./files and ./info of the current folder when the data folder
// ($XDG_DATA_HOME, default ~/.local/share) does not exist, so that folder is made first and a
// move counts only when Qt names an absolute place where the file now is. Nothing is ever
// deleted for good: where there is no trash the file stays and the move fails.
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
