#include "core/sorting/UndoAction.h"

#include <string>

#include "core/sorting/SortingTexts.h"

namespace tossbox {

namespace {

bool stillPlaced(const UndoFacts& facts, const std::string& target) {
  if (!facts.placed) return false;
  const std::optional<FileStatus> now = statusOf(target, Follow::NotLinks);
  if (!now || now->identity != *facts.placed) return false;
  return facts.movedLinkText ? now->link : now->regular;
}

bool replacedStillInTrash(const UndoFacts& facts) {
  return !facts.replacedInTrash || entryAt(*facts.replacedInTrash) != Entry::None;
}

}  // namespace

std::string_view UndoOutcome::statusText() const {
  switch (result) {
    case UndoResult::Undone:
    case UndoResult::WasUndone:
      return kUndoneText;
    case UndoResult::UndoneButTrash:
    case UndoResult::OpenTrash:
      return kTakeFromTrashText;
    case UndoResult::Refused:
      return kUndoFailedText;
  }
  return kUndoFailedText;
}

UndoOutcome UndoAction(FileOperation& operation, std::size_t index) {
  HistoryList& history = operation.history();
  if (index >= history.size()) return {UndoResult::Refused};
  const HistoryEntry& entry = history.entry(index);
  if (entry.undone()) return {UndoResult::WasUndone};
  if (entry.action() == ActionKind::Trash) return {UndoResult::OpenTrash};

  const std::string source(entry.source());
  const std::string target(entry.target());
  const UndoFacts& facts = history.facts(index);
  if (!stillPlaced(facts, target) || !replacedStillInTrash(facts)) return {UndoResult::Refused};
  if (entry.action() == ActionKind::Move && entryAt(source) != Entry::None) {
    return {UndoResult::Refused};
  }

  const std::error_code error = entry.action() == ActionKind::Copy
                                    ? removeFile(target)
                                    : operation.moveBack(target, source, facts.movedLinkText);
  if (error) return {UndoResult::Refused};
  const bool restored =
      !facts.replacedInTrash || operation.trash().restoreFromTrash(*facts.replacedInTrash, target);
  history.markUndone(index);
  return {restored ? UndoResult::Undone : UndoResult::UndoneButTrash};
}

}  // namespace tossbox
