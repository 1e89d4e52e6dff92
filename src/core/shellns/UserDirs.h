#pragma once
// The current user's desktop folder, named by the XDG user-dirs file; the home and configuration
// folders come from UserFolders.
#include <string>
#include <string_view>

#include "core/files/UserFolders.h"

namespace tossbox {

// XDG_DESKTOP_DIR from the text of a user-dirs.dirs file, "$HOME" replaced by `home`; empty when
// the file does not set it to a home-relative or absolute path.
[[nodiscard]] std::string desktopDirFromUserDirs(std::string_view userDirsText,
                                                 const std::string& home);

// The desktop folder: XDG_DESKTOP_DIR of `configHome`/user-dirs.dirs when it names an existing
// folder, else `home`.
[[nodiscard]] std::string desktopFolderOf(const std::string& home, const std::string& configHome);

}  // namespace tossbox
