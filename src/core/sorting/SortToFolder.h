#pragma once
// Sorting one file through a folder button: serial renaming, then the button's same-name
// policy when the target name holds a file (1 ask, 2 overwrite, 3 append "S"), then the copy or
// move. Asking is the window's job: the result then carries the pair for the same-name dialog,
// whose answers come back through SortAnswer.
#include <optional>
#include <string>

#include "core/settings/SettingsRecord.h"
#include "core/sorting/FileOperation.h"

namespace tossbox {

enum class SortStep {
  Sorted,         // copied or moved and recorded
  Failed,         // the copy or move failed; see operation
  NeedsDecision,  // the name is taken and the button asks: open the same-name dialog
  SerialRefused,  // the serial number cannot advance; no file was touched
};

struct SortOutcome {
  SortStep step = SortStep::Failed;
  OperationResult operation;
  std::string conflictSource;  // NeedsDecision: the pair the dialog shows
  std::string conflictTarget;

  // Whether the list goes on to the next file. A failure keeps the file on show, so its
  // message is seen and the user can try again.
  [[nodiscard]] bool advance() const { return step == SortStep::Sorted; }
};

// Sorts `source` to `target` (the button's folder and the file's name, see buttonTargetPath)
// with the settings of `button`, whose serial number advances when it renames. A policy byte
// other than 2 or 3 asks, so an unknown value never overwrites.
[[nodiscard]] SortOutcome SortToFolder(FileOperation& operation, FolderTarget& button,
                                       const std::string& source, const std::string& target);

// The name `target` gets with "S" appended to its stem until nothing stands at it. Names
// longer than a file system allows restart from the stem "Error"; nullopt when no free name
// fits even then.
[[nodiscard]] std::optional<std::string> nameWithS(const std::string& target);

// An answer of the same-name dialog: "上書き" passes the dialog's target, "新規保存" the name
// chosen in the save dialog. Copies or moves as the button says; a file at `target` goes to the
// trash first. Recorded like any sort, so it can be undone.
[[nodiscard]] OperationResult SortAnswer(FileOperation& operation, const FolderTarget& button,
                                         const std::string& conflictSource,
                                         const std::string& target);

}  // namespace tossbox
