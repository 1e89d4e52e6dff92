#include "core/sorting/FileOperation.h"

#include <filesystem>

#include "core/sorting/SortPaths.h"
#include "core/sorting/SortingTexts.h"

namespace tossbox {

namespace {

struct Placement {
  std::error_code error;
  FileIdentity placed;
};

Placement copyInto(const std::string& source, const std::string& target, Durability durability) {
  HiddenCopy copy = writeHiddenCopy(source, std::string(folderOf(target)), durability);
  if (copy.error) return {copy.error, {}};
  if (std::error_code error = renameNoReplace(copy.path, target)) {
    (void)removeFile(copy.path);
    return {error, {}};
  }
  return {{}, copy.identity};
}

// Moves into a free name: a rename, or across file systems a synced copy and then the deletion
// of the source. A source that cannot be deleted takes the copy back.
Placement moveInto(const std::string& source, const std::string& target) {
  const std::error_code renamed = renameNoReplace(source, target);
  if (!renamed) {
    std::optional<FileStatus> moved = statusOf(target, Follow::NotLinks);
    if (!moved) return {std::make_error_code(std::errc::no_such_file_or_directory), {}};
    return {{}, moved->identity};
  }
  if (renamed != std::errc::cross_device_link) return {renamed, {}};
  Placement copied = copyInto(source, target, Durability::Synced);
  if (copied.error) return copied;
  if (std::error_code error = removeFile(source)) {
    (void)removeFile(target);
    return {error, {}};
  }
  return copied;
}

}  // namespace

std::string_view OperationResult::statusText() const {
  if (ok()) return {};
  switch (kind) {
    case ActionKind::Copy:
      return kCopyFailedText;
    case ActionKind::Move:
      return kMoveFailedText;
    case ActionKind::Trash:
      return kTrashFailedText;
  }
  return kCopyFailedText;
}

FileOperation::FileOperation(Trash& trash, HistoryList& history, std::function<void()> beforeMove)
    : trash_(trash), history_(history), beforeMove_(std::move(beforeMove)) {}

OperationResult FileOperation::run(ActionKind kind, const std::string& source,
                                   const std::string& target, bool serialName) {
  if (source.size() > kMaxHistorySourceBytes) {
    return {kind, OperationFailure::PathTooLong, {}};
  }
  if (kind == ActionKind::Trash) return trashFile(source, serialName);
  return place(kind, source, target, serialName);
}

OperationResult FileOperation::place(ActionKind kind, const std::string& source,
                                     const std::string& target, bool serialName) {
  const std::optional<FileStatus> from = statusOf(source, Follow::Links);
  if (!from) return {kind, OperationFailure::SourceMissing, {}};
  if (!from->regular) return {kind, OperationFailure::NotAFile, {}};
  const std::optional<FileStatus> onto = statusOf(target, Follow::Links);
  if (onto && onto->identity.sameFileAs(from->identity)) {
    return {kind, OperationFailure::SameFile, {}};
  }
  const Entry standing = entryAt(target);
  if (standing == Entry::Folder) return {kind, OperationFailure::TargetIsFolder, {}};

  if (kind == ActionKind::Move && beforeMove_) beforeMove_();
  if (std::error_code error = makeFolders(std::string(folderOf(target)))) {
    return {kind, OperationFailure::FileSystem, error};
  }

  // A copy is finished before the old target leaves, so a failed copy costs nothing.
  HiddenCopy copy;
  if (kind == ActionKind::Copy) {
    copy = writeHiddenCopy(source, std::string(folderOf(target)), Durability::Cached);
    if (copy.error) return {kind, OperationFailure::FileSystem, copy.error};
  }
  std::optional<std::string> replaced;
  if (standing == Entry::File) {
    replaced = trash_.moveToTrash(target);
    if (!replaced) {
      if (!copy.path.empty()) (void)removeFile(copy.path);
      return {kind, OperationFailure::NoTrash, {}};
    }
  }

  Placement placement;
  if (kind == ActionKind::Copy) {
    placement.error = renameNoReplace(copy.path, target);
    if (placement.error) (void)removeFile(copy.path);
    placement.placed = copy.identity;
  } else {
    placement = moveInto(source, target);
  }
  if (placement.error) {
    // The replaced file was only parked; if it cannot come back it stays in the trash.
    if (replaced) (void)trash_.restoreFromTrash(*replaced, target);
    return {kind, OperationFailure::FileSystem, placement.error};
  }
  history_.RecordAction(kind, serialName, source, target,
                        UndoFacts{placement.placed, std::move(replaced)});
  return {kind, OperationFailure::None, {}};
}

OperationResult FileOperation::trashFile(const std::string& source, bool serialName) {
  std::error_code error;
  const std::filesystem::file_type type = std::filesystem::symlink_status(source, error).type();
  if (type == std::filesystem::file_type::not_found) {
    return {ActionKind::Trash, OperationFailure::SourceMissing, {}};
  }
  // A folder that took the name of the file on show is not that file.
  if (type != std::filesystem::file_type::regular && type != std::filesystem::file_type::symlink) {
    return {ActionKind::Trash, OperationFailure::NotAFile, {}};
  }
  if (!trash_.moveToTrash(source)) return {ActionKind::Trash, OperationFailure::NoTrash, {}};
  history_.RecordAction(ActionKind::Trash, serialName, source, {});
  return {ActionKind::Trash, OperationFailure::None, {}};
}

std::error_code FileOperation::moveBack(const std::string& from, const std::string& to) {
  if (entryAt(to) != Entry::None) return std::make_error_code(std::errc::file_exists);
  if (beforeMove_) beforeMove_();
  if (std::error_code error = makeFolders(std::string(folderOf(to)))) return error;
  return moveInto(from, to).error;
}

}  // namespace tossbox
