#pragma once
// The path rules every part of the program shares: the last part of a path, the extension of a
// name and how a folder and a name are joined. Paths are byte strings as the file system gave
// them; nothing here decodes or changes their bytes, and "/" is the only separator.
#include <string>
#include <string_view>

namespace tossbox {

// The text after the last "/" of a path; the whole path when it has none, and an empty text when
// the path ends in "/". The result borrows from `path`.
[[nodiscard]] std::string_view LastPathPart(std::string_view path);

// Everything before the last "/" ("/" itself for a file in the root); empty when there is
// none. Borrows from `path`.
[[nodiscard]] std::string_view folderOf(std::string_view path);

// The extension of a name or path: from its last "." to the end, dot included, where the dot
// must stand after the last "/"; empty when there is none. Only the ASCII letters A to Z are
// lower-cased, so the bytes of other characters stay as they are.
[[nodiscard]] std::string extensionOf(std::string_view path);

// `folder` + "/" + `name`, without a second "/" when the folder already ends in one (the root).
[[nodiscard]] std::string joinPath(std::string_view folder, std::string_view name);

}  // namespace tossbox
