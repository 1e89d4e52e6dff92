#include "core/sorting/FileOperation.h"

#include "core/sorting/MovedLink.h"
#include "core/sorting/SortPaths.h"
#include "core/sorting/SortingTexts.h"

namespace tossbox {

namespace {

// How the file reaches the target folder before it takes the target's name.
enum class Staging {
  Rename,      // the source itself is renamed into place
  Copy,        // a copy under a hidden name; the source stays
  SyncedCopy,  // the same, on the disk, for a move whose source is deleted afterwards
  Link,        // a moved link, made anew under a hidden name and aimed at the same file
  LinkAsWas,   // a link moved back, made anew with the text it had
};

Staging stagingFor(ActionKind kind, const std::string& source, const std::string& folder) {
  if (kind == ActionKind::Copy) return Staging::Copy;
  const std::optional<FileStatus> itself = statusOf(source, Follow::NotLinks);
  if (itself && itself->link) return Staging::Link;
  const std::optional<FileStatus> into = statusOf(folder, Follow::Links);
  if (itself && into && itself->identity.device != into->identity.device) {
    return Staging::SyncedCopy;
  }
  return Staging::Rename;
}

struct Request {
  ActionKind kind;
  const std::string& source;
  const std::string& target;
  const std::optional<std::string>& linkText;  // the source link's text, for the link stagings
  bool mayReplace;                             // whether a file at the target may be parked
  const LongCopyRunner& longCopyRunner;
};

struct Placement {
  OperationFailure failure = OperationFailure::None;
  std::error_code error;
  std::optional<FileIdentity> placed;
  std::optional<std::string> replaced;
};

Placement failed(OperationFailure failure, std::error_code error) {
  return {failure, error, {}, {}};
}

HiddenCopy copyStaged(const Request& request, const std::string& folder, Durability durability) {
  const LongCopy copy = [&](const CopyProgress& progress) {
    return writeHiddenCopy(request.source, folder, durability, progress);
  };
  const std::optional<FileStatus> source = statusOf(request.source, Follow::Links);
  const bool isLong = source && source->identity.size > kLongCopyBytes;
  if (isLong && request.longCopyRunner) return request.longCopyRunner(copy);
  return copy({});
}

HiddenCopy stage(const Request& request, Staging staging, const std::string& folder) {
  const bool needsText = staging == Staging::Link || staging == Staging::LinkAsWas;
  if (needsText && !request.linkText) {
    return {{}, {}, std::make_error_code(std::errc::invalid_argument)};
  }
  switch (staging) {
    case Staging::Copy:
      return copyStaged(request, folder, Durability::Cached);
    case Staging::SyncedCopy:
      return copyStaged(request, folder, Durability::Synced);
    case Staging::Link:
      return remakeLinkIn(request.source, *request.linkText, folder);
    case Staging::LinkAsWas:
      return writeHiddenLink(*request.linkText, folder);
    case Staging::Rename:
      break;
  }
  return {};
}

// The identity of what stands at `target`, when it is the file that was put there. Taken after
// the rename, which moves the change time.
std::optional<FileIdentity> placedAt(const std::string& target, const FileIdentity& expected) {
  const std::optional<FileStatus> now = statusOf(target, Follow::NotLinks);
  if (!now || !now->identity.sameFileAs(expected)) return std::nullopt;
  return now->identity;
}

// Stages the file beside the target, parks a file standing at the target in the trash, renames
// the staged file (or, within one file system, the source itself) into place and, for a move
// that copied, deletes the source once the new name is on the disk. A copy is thus complete
// before the old target leaves its name, and a crash while copying costs nothing. A failing step
// takes back the steps before it; a parked file that cannot come back stays in the trash.
Placement putInPlace(Trash& trash, const Request& request, Staging staging) {
  const std::string folder(folderOf(request.target));
  const std::optional<FileStatus> source = statusOf(request.source, Follow::NotLinks);
  if (!source) {
    return failed(OperationFailure::SourceMissing,
                  std::make_error_code(std::errc::no_such_file_or_directory));
  }
  const HiddenCopy staged = stage(request, staging, folder);
  if (staged.error) return failed(OperationFailure::FileSystem, staged.error);
  const bool renamesSource = staging == Staging::Rename;
  const std::string& moving = renamesSource ? request.source : staged.path;

  Placement placement;
  const auto takeBack = [&](OperationFailure failure, std::error_code error,
                            const std::string& leftover) {
    if (!leftover.empty()) (void)removeFile(leftover);
    if (placement.replaced) (void)trash.restoreFromTrash(*placement.replaced, request.target);
    return failed(failure, error);
  };
  if (request.mayReplace && entryAt(request.target) == Entry::File) {
    placement.replaced = trash.moveToTrash(request.target);
    if (!placement.replaced) return takeBack(OperationFailure::NoTrash, {}, staged.path);
  }
  if (std::error_code error = renameNoReplace(moving, request.target)) {
    return takeBack(OperationFailure::FileSystem, error, staged.path);
  }
  if (request.kind == ActionKind::Move && !renamesSource) {
    std::error_code error = syncFolder(folder);
    if (!error) error = removeFile(request.source);
    if (error) return takeBack(OperationFailure::FileSystem, error, request.target);
  }
  placement.placed = placedAt(request.target, renamesSource ? source->identity : staged.identity);
  return placement;
}

Placement placeOrCopy(Trash& trash, const Request& request, Staging staging) {
  Placement placement = putInPlace(trash, request, staging);
  // One device, yet two mounts (a folder mounted twice): the rename cannot cross, a copy can.
  if (staging == Staging::Rename && placement.error == std::errc::cross_device_link) {
    placement = putInPlace(trash, request, Staging::SyncedCopy);
  }
  return placement;
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
  if (entryAt(target) == Entry::Folder) return {kind, OperationFailure::TargetIsFolder, {}};

  if (kind == ActionKind::Move && beforeMove_) beforeMove_();
  const std::string folder(folderOf(target));
  if (std::error_code error = makeFolders(folder)) {
    return {kind, OperationFailure::FileSystem, error};
  }
  const Staging staging = stagingFor(kind, source, folder);
  std::optional<std::string> linkText;
  if (staging == Staging::Link) {
    linkText = linkTextOf(source);
    if (!linkText) return {kind, OperationFailure::FileSystem, {errno, std::generic_category()}};
  }

  Placement placement =
      placeOrCopy(trash_, Request{kind, source, target, linkText, true, longCopyRunner_}, staging);
  if (placement.failure != OperationFailure::None) {
    return {kind, placement.failure, placement.error};
  }
  history_.RecordAction(
      kind, serialName, source, target,
      UndoFacts{placement.placed, std::move(placement.replaced), std::move(linkText)});
  return {kind, OperationFailure::None, {}};
}

OperationResult FileOperation::trashFile(const std::string& source, bool serialName) {
  const std::optional<FileStatus> itself = statusOf(source, Follow::NotLinks);
  if (!itself) return {ActionKind::Trash, OperationFailure::SourceMissing, {}};
  // A folder that took the name of the file on show is not that file.
  if (!itself->regular && !itself->link) return {ActionKind::Trash, OperationFailure::NotAFile, {}};
  if (!trash_.moveToTrash(source)) return {ActionKind::Trash, OperationFailure::NoTrash, {}};
  history_.RecordAction(ActionKind::Trash, serialName, source, {});
  return {ActionKind::Trash, OperationFailure::None, {}};
}

std::error_code FileOperation::moveBack(const std::string& from, const std::string& to,
                                        const std::optional<std::string>& linkText) {
  if (entryAt(to) != Entry::None) return std::make_error_code(std::errc::file_exists);
  if (beforeMove_) beforeMove_();
  const std::string folder(folderOf(to));
  if (std::error_code error = makeFolders(folder)) return error;
  Staging staging = stagingFor(ActionKind::Move, from, folder);
  std::optional<std::string> text = linkText;
  if (staging == Staging::Link) {
    if (text)
      staging = Staging::LinkAsWas;
    else
      text = linkTextOf(from);
  }
  return placeOrCopy(trash_, Request{ActionKind::Move, from, to, text, false, longCopyRunner_},
                     staging)
      .error;
}

}  // namespace tossbox
