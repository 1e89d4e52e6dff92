#pragma once
// The current user's own folders as the environment names them. One rule for all of them, the
// one the XDG base-folder rules give: a variable that is unset, empty or not an absolute path is
// ignored, so a relative value never puts the program's files under the working folder.
#include <optional>
#include <string>

namespace tossbox {

// HOME, or the password database's home when HOME is ignored; "/" when neither is absolute.
[[nodiscard]] std::string currentHomeFolder();

// XDG_CONFIG_HOME, else `home`/.config.
[[nodiscard]] std::string currentConfigHome(const std::string& home);

// XDG_DATA_HOME, else `home`/.local/share.
[[nodiscard]] std::string currentDataHome(const std::string& home);

// XDG_RUNTIME_DIR when it names an existing folder; nullopt otherwise.
[[nodiscard]] std::optional<std::string> currentRuntimeFolder();

}  // namespace tossbox
