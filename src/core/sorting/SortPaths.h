#pragma once
// The pieces of a path that target naming works with. Paths are byte strings; "/" is the only
// separator and nothing here changes a byte. Unlike the list's extension rule, the extension
// here keeps its case: a sorted file keeps its own extension exactly.
#include <string>
#include <string_view>

#include "core/files/PathRules.h"  // folderOf

namespace tossbox {

// The extension of the file name of `path`, from its last "." on, dot included; empty when the
// name has no dot. Borrows from `path`.
[[nodiscard]] std::string_view extensionKeptOf(std::string_view path);
// The file name of `path` without its extension. Borrows from `path`.
[[nodiscard]] std::string_view stemOf(std::string_view path);
// The path a folder button sorts `file` to: its folder, "/" and the file's name. Trailing "/" of
// the folder are dropped so that a folder typed with one does not give "//" in the history.
[[nodiscard]] std::string buttonTargetPath(std::string_view folderPath, std::string_view file);

}  // namespace tossbox
