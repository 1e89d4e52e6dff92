#include "platform/sorting/DesktopTrash.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "core/files/PathRules.h"
#include "core/sorting/FileTransfer.h"
#include "core/sorting/SortPaths.h"

namespace tossbox {

namespace {

// The info file the freedesktop trash keeps for `trashedPath` (".../files/NAME").
std::optional<std::string> infoFileOf(const std::string& trashedPath) {
  const std::string_view files = folderOf(trashedPath);
  if (LastPathPart(files) != "files") return std::nullopt;
  return joinPath(joinPath(folderOf(files), "info"), LastPathPart(trashedPath)) + ".trashinfo";
}

// Qt's bug put the file under the current folder: bring it back where it was.
void undoRelativeTrash(const QString& relative, const std::string& original) {
  const std::string moved =
      QFile::encodeName(QDir::current().absoluteFilePath(relative)).toStdString();
  if (renameNoReplace(moved, original)) return;
  const std::optional<std::string> info = infoFileOf(moved);
  if (!info) return;
  (void)removeFile(*info);
  // The two folders Qt made there, when nothing else is in them.
  ::rmdir(std::string(folderOf(moved)).c_str());
  ::rmdir(std::string(folderOf(*info)).c_str());
}

}  // namespace

std::optional<std::string> DesktopTrash::moveToTrash(const std::string& path) {
  // Qt names files by QString: a name whose bytes do not survive the round trip (not UTF-8)
  // would make Qt act on another name, so such a file is not handed to it.
  const QString name = QFile::decodeName(QByteArray::fromStdString(path));
  if (QFile::encodeName(name).toStdString() != path) return std::nullopt;
  const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (dataHome.isEmpty() || !QDir::isAbsolutePath(dataHome) || !QDir().mkpath(dataHome)) {
    return std::nullopt;
  }
  QString trashed;
  if (!QFile::moveToTrash(name, &trashed)) return std::nullopt;
  if (!QDir::isAbsolutePath(trashed)) {
    if (!trashed.isEmpty()) undoRelativeTrash(trashed, path);
    return std::nullopt;
  }
  std::string trashedPath = QFile::encodeName(trashed).toStdString();
  if (entryAt(trashedPath) == Entry::None) return std::nullopt;
  return trashedPath;
}

bool DesktopTrash::restoreFromTrash(const std::string& trashedPath,
                                    const std::string& originalPath) {
  if (renameNoReplace(trashedPath, originalPath)) return false;
  if (std::optional<std::string> info = infoFileOf(trashedPath)) (void)removeFile(*info);
  return true;
}

}  // namespace tossbox
