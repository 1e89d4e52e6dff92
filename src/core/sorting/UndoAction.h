#pragma once
// Undoing one action of the history. An undo acts only on the file the action left behind:
//  - a copy is deleted only while it is still the file that was written (same file, size,
//    modification time and change time, so also an edit that put the time back keeps it);
//  - a moved file goes back only while it is the file that was moved and its old path is free;
//    a moved link goes back as the link it was;
//  - a file that the action replaced comes back out of the trash;
//  - a trashed file is never restored automatically: the user takes it out of the trash.
// When a check fails nothing is touched.
#include <cstddef>
#include <string_view>

#include "core/sorting/FileOperation.h"

namespace tossbox {

enum class UndoResult {
  Undone,          // reversed now; the line got "[取消済] "
  WasUndone,       // reversed before; nothing touched
  UndoneButTrash,  // reversed, but the file it had replaced must be taken from the trash by hand
  OpenTrash,       // a trashed file: open the trash for the user
  Refused,         // nothing touched
};

struct UndoOutcome {
  UndoResult result = UndoResult::Refused;

  // Whether the entry counts as undone (the undo button then moves up one line).
  [[nodiscard]] bool succeeded() const {
    return result == UndoResult::Undone || result == UndoResult::WasUndone ||
           result == UndoResult::UndoneButTrash;
  }
  [[nodiscard]] bool openTrash() const {
    return result == UndoResult::OpenTrash || result == UndoResult::UndoneButTrash;
  }
  [[nodiscard]] std::string_view statusText() const;
};

// Undoes entry `index` of `operation`'s history; an index out of range is refused.
[[nodiscard]] UndoOutcome UndoAction(FileOperation& operation, std::size_t index);

}  // namespace tossbox
