#include "core/sorting/SortToFolder.h"

#include "core/files/PathRules.h"
#include "core/sorting/FileTransfer.h"
#include "core/sorting/SortPaths.h"
#include "core/sorting/TargetName.h"

namespace tossbox {

namespace {

// The longest file name the usual Linux file systems take.
constexpr std::size_t kMaxNameBytes = 255;

ActionKind kindFor(const FolderTarget& button) {
  return button.moves() ? ActionKind::Move : ActionKind::Copy;
}

}  // namespace

std::optional<std::string> nameWithS(const std::string& target) {
  const std::string folder(folderOf(target));
  const std::string_view extension = extensionKeptOf(target);
  std::string stem(stemOf(target));
  bool restarted = false;
  for (;;) {
    stem.push_back('S');
    if (stem.size() + extension.size() > kMaxNameBytes) {
      if (restarted) return std::nullopt;
      restarted = true;
      stem = "Error";
      std::string candidate = joinPath(folder, stem + std::string(extension));
      if (entryAt(candidate) == Entry::None) return candidate;
      continue;
    }
    std::string candidate = joinPath(folder, stem + std::string(extension));
    if (entryAt(candidate) == Entry::None) return candidate;
  }
}

SortOutcome SortToFolder(FileOperation& operation, FolderTarget& button, const std::string& source,
                         const std::string& target) {
  const ActionKind kind = kindFor(button);
  std::optional<std::string> named = TargetName(button, target);
  if (!named) return {SortStep::SerialRefused, {kind, OperationFailure::None, {}}, {}, {}};
  std::string chosen = std::move(*named);

  if (entryAt(chosen) == Entry::File) {
    if (button.sameName() == SameName::AppendS) {
      std::optional<std::string> free = nameWithS(chosen);
      if (!free) {
        return {SortStep::Failed,
                {kind, OperationFailure::FileSystem,
                 std::make_error_code(std::errc::filename_too_long)},
                {},
                {}};
      }
      chosen = std::move(*free);
    } else if (button.sameName() == SameName::Ask) {
      return {SortStep::NeedsDecision, {kind, OperationFailure::None, {}}, source, chosen};
    }
  }
  OperationResult result = operation.run(kind, source, chosen, button.renamesSerially());
  return {result.ok() ? SortStep::Sorted : SortStep::Failed, result, {}, {}};
}

OperationResult SortAnswer(FileOperation& operation, const FolderTarget& button,
                           const std::string& conflictSource, const std::string& target) {
  return operation.run(kindFor(button), conflictSource, target, button.renamesSerially());
}

}  // namespace tossbox
