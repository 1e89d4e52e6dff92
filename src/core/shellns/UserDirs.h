#pragma once
// Where the current user's own folders are: the home folder, the configuration folder and the
// desktop folder named by the XDG user-dirs file.
#include <string>
#include <string_view>

namespace tossbox {

// XDG_DESKTOP_DIR from the text of a user-dirs.dirs file, "$HOME" replaced by `home`; empty when
// the file does not set it to a home-relative or absolute path.
[[nodiscard]] std::string desktopDirFromUserDirs(std::string_view userDirsText,
                                                 const std::string& home);

// The desktop folder: XDG_DESKTOP_DIR of `configHome`/user-dirs.dirs when it names an existing
// folder, else `home`.
[[nodiscard]] std::string desktopFolderOf(const std::string& home, const std::string& configHome);

// HOME, or the password database's home when HOME is unset or not absolute.
[[nodiscard]] std::string currentHomeFolder();

// XDG_CONFIG_HOME when it is absolute, else `home`/.config.
[[nodiscard]] std::string currentConfigHome(const std::string& home);

}  // namespace tossbox
