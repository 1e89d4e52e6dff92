// Only GLib is included here, never Qt: Qt's `signals` keyword would break GIO's headers.
#include "platform/sorting/DesktopTrash.h"

#include <dirent.h>
#include <gio/gio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

#include "core/files/PathRules.h"
#include "core/files/UserFolders.h"
#include "core/sorting/FileTransfer.h"
#include "core/sorting/SortPaths.h"

namespace tossbox {

namespace {

struct GObjectUnref {
  void operator()(gpointer object) const { g_object_unref(object); }
};
struct GErrorFree {
  void operator()(GError* error) const { g_error_free(error); }
};
struct DirClose {
  void operator()(DIR* folder) const { ::closedir(folder); }
};
struct MemoryFree {
  void operator()(char* text) const { std::free(text); }
};

// The user's home and data folders as the environment gives them now.
struct UserFolders {
  std::string home;
  std::string data;
};

UserFolders currentUserFolders() {
  std::string home = currentHomeFolder();
  std::string data = currentDataHome(home);
  return UserFolders{std::move(home), std::move(data)};
}

// GLib keeps the folders it read first; after the environment changed its trash is elsewhere.
bool glibAgreesWith(const UserFolders& folders) {
  const auto same = [](const std::string& ours, std::string_view glibs) {
    while (glibs.size() > 1 && glibs.back() == '/') glibs.remove_suffix(1);
    return ours == glibs;
  };
  return same(folders.home, g_get_home_dir()) && same(folders.data, g_get_user_data_dir());
}

bool sameInode(const std::string& path, const struct stat& file) {
  struct stat now {};
  return ::lstat(path.c_str(), &now) == 0 && now.st_dev == file.st_dev && now.st_ino == file.st_ino;
}

// The top folder of the volume that holds `path`.
std::optional<std::string> volumeTopOf(const std::string& path, dev_t device) {
  const std::string folder(folderOf(path));
  const std::unique_ptr<char, MemoryFree> resolved(
      ::realpath(folder.empty() ? "." : folder.c_str(), nullptr));
  if (!resolved) return std::nullopt;
  std::string top = resolved.get();
  while (top != "/") {
    const std::string parent(folderOf(top));
    struct stat above {};
    if (::stat(parent.c_str(), &above) != 0 || above.st_dev != device) break;
    top = parent;
  }
  return top;
}

// Where GIO puts a file from `device`: the user's own trash when the file is on the home
// folder's volume, else one of the two trash folders at the top of the file's volume.
std::vector<std::string> trashFoldersFor(const std::string& path, dev_t device,
                                         const UserFolders& folders) {
  struct stat home {};
  if (::stat(folders.home.c_str(), &home) == 0 && home.st_dev == device) {
    return {joinPath(folders.data, "Trash")};
  }
  const std::optional<std::string> top = volumeTopOf(path, device);
  if (!top) return {};
  const std::string uid = std::to_string(::getuid());
  return {joinPath(*top, ".Trash/" + uid), joinPath(*top, ".Trash-" + uid)};
}

// GIO chooses the name in the trash, so the file is looked for by its inode: under its own name
// first, which is the usual one, then through the whole folder.
std::optional<std::string> findTrashed(const std::string& trashFolder, std::string_view name,
                                       const struct stat& file) {
  const std::string files = joinPath(trashFolder, "files");
  std::string candidate = joinPath(files, name);
  if (sameInode(candidate, file)) return candidate;
  const std::unique_ptr<DIR, DirClose> folder(::opendir(files.c_str()));
  if (!folder) return std::nullopt;
  while (const dirent* entry = ::readdir(folder.get())) {
    if (entry->d_ino != file.st_ino) continue;
    candidate = joinPath(files, entry->d_name);
    if (sameInode(candidate, file)) return candidate;
  }
  return std::nullopt;
}

bool trashWithGio(const std::string& path) {
  const std::unique_ptr<GFile, GObjectUnref> file(g_file_new_for_path(path.c_str()));
  GError* failure = nullptr;
  const bool done = g_file_trash(file.get(), nullptr, &failure) != FALSE;
  const std::unique_ptr<GError, GErrorFree> owned(failure);
  return done;
}

// The info file the freedesktop trash keeps for `trashedPath` (".../files/NAME").
std::optional<std::string> infoFileOf(const std::string& trashedPath) {
  const std::string_view files = folderOf(trashedPath);
  if (LastPathPart(files) != "files") return std::nullopt;
  return joinPath(joinPath(folderOf(files), "info"), LastPathPart(trashedPath)) + ".trashinfo";
}

}  // namespace

std::optional<std::string> DesktopTrash::moveToTrash(const std::string& path) {
  struct stat file {};
  if (::lstat(path.c_str(), &file) != 0) return std::nullopt;
  if (!S_ISREG(file.st_mode) && !S_ISLNK(file.st_mode)) return std::nullopt;
  // A relative HOME or XDG_DATA_HOME is ignored here; should GLib take one as it stands, the two
  // disagree and nothing is put in a trash under the working folder.
  const UserFolders folders = currentUserFolders();
  if (!glibAgreesWith(folders)) return std::nullopt;
  const std::vector<std::string> trashFolders = trashFoldersFor(path, file.st_dev, folders);
  if (trashFolders.empty() || !trashWithGio(path)) return std::nullopt;
  if (sameInode(path, file)) return std::nullopt;
  for (const std::string& trashFolder : trashFolders) {
    if (std::optional<std::string> trashed = findTrashed(trashFolder, LastPathPart(path), file)) {
      return trashed;
    }
  }
  return std::nullopt;
}

bool DesktopTrash::restoreFromTrash(const std::string& trashedPath,
                                    const std::string& originalPath) {
  if (renameNoReplace(trashedPath, originalPath)) return false;
  if (std::optional<std::string> info = infoFileOf(trashedPath)) (void)removeFile(*info);
  return true;
}

}  // namespace tossbox
