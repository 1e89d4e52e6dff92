#pragma once
// The file-system steps that copy, move and undo are built from, over POSIX calls. Each step
// either does all it says or leaves the files as they were, and reports the system's reason when
// it fails. Paths are byte strings passed to the system unchanged.
#include <optional>
#include <string>
#include <system_error>

// The steps' own pieces: the file's status and the careful copy.
#include "core/files/FileCopy.h"
#include "core/files/FileStatus.h"

namespace tossbox {

// What stands at a name, for deciding whether the name is taken.
enum class Entry {
  None,    // nothing: the name is free
  Folder,  // a folder, or a link to one
  File,    // anything else, including a dangling link or an entry that cannot be examined
};
[[nodiscard]] Entry entryAt(const std::string& path);

// Creates `folder` with every missing parent; no error when it exists already, an error when
// it is not a folder afterwards.
[[nodiscard]] std::error_code makeFolders(const std::string& folder);

// Renames `from` to `to` only while `to` is free; fails with EEXIST otherwise, also when
// something appears there in the meantime.
[[nodiscard]] std::error_code renameNoReplace(const std::string& from, const std::string& to);

[[nodiscard]] std::error_code removeFile(const std::string& path);

// Puts the names in `folder` on the disk, so that a file renamed into it is still there after a
// crash. File systems that cannot sync a folder count as synced.
[[nodiscard]] std::error_code syncFolder(const std::string& folder);

// The text of the symbolic link at `path`, exactly as stored; nullopt when it is not a link.
[[nodiscard]] std::optional<std::string> linkTextOf(const std::string& path);

}  // namespace tossbox
