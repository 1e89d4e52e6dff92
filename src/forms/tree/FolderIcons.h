#pragma once
// The icons of the folder tree, one per kind of namespace folder, taken from the icon theme and,
// where the theme has none (no theme installed, the offscreen platform), from Qt's own file
// icons and style. A folder's icon shows the open folder while its node is selected.
#include <QIcon>
#include <array>

#include "core/shellns/BoundFolder.h"

namespace tossbox {

class FolderIcons {
 public:
  FolderIcons();
  [[nodiscard]] const QIcon& iconFor(FolderIcon kind) const;

 private:
  std::array<QIcon, 5> icons_;
};

}  // namespace tossbox
