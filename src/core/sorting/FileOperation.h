#pragma once
// The one primitive through which sorting copies, moves and trashes files, and which records
// each action in the history once it is done. Its promises:
//  - a file is never copied or moved onto itself (also not through a link); that fails;
//  - a copy is written under a hidden name in the target folder and renamed into place, so a
//    failure never leaves a half file under the real name;
//  - copy and move keep the modification time and the permission bits;
//  - a file that stood at the target goes to the trash only once the new file waits beside it,
//    and an undo can put it back;
//  - a move deletes its source only after the copy it fell back to, and its name in the target
//    folder, are on the disk;
//  - a moved symbolic link stays a link and reaches the same file from its new folder (a copy
//    of a link copies the file it reaches);
//  - a failure changes nothing, is not recorded and says which kind of action failed.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "core/sorting/FileTransfer.h"
#include "core/sorting/HistoryEntry.h"
#include "core/sorting/HistoryList.h"
#include "core/sorting/Trash.h"

namespace tossbox {

// A copy of more bytes than this is long: the program shows how far it has come and keeps its
// windows painted meanwhile.
inline constexpr std::uint64_t kLongCopyBytes = std::uint64_t{64} << 20;

// A long copy, waiting to be run with the progress it reports to; and what runs it (the
// program: off the user-interface thread), returning what the copy returned.
using LongCopy = std::function<HiddenCopy(const CopyProgress&)>;
using LongCopyRunner = std::function<HiddenCopy(const LongCopy&)>;

enum class OperationFailure {
  None,
  SourceMissing,   // nothing at the source path
  NotAFile,        // the source is a folder or another special file
  SameFile,        // the target is the source itself
  TargetIsFolder,  // a folder stands at the target name
  PathTooLong,     // the source does not fit the history entry
  NoTrash,         // the file (or the file to be replaced) could not go to the trash
  FileSystem,      // the system refused; see the error code
};

struct OperationResult {
  ActionKind kind = ActionKind::Copy;
  OperationFailure failure = OperationFailure::None;
  std::error_code error;  // the system's reason, for FileSystem

  [[nodiscard]] bool ok() const { return failure == OperationFailure::None; }
  // Empty after success, else the status line for the kind that failed.
  [[nodiscard]] std::string_view statusText() const;
};

class FileOperation {
 public:
  // `beforeMove` runs before a file is moved; the program closes a playing clip there, since
  // the clip may be the file that moves.
  FileOperation(Trash& trash, HistoryList& history, std::function<void()> beforeMove = {});

  // Copies or moves `source` to `target` (folders created with their parents), or for Trash
  // sends `source` to the trash (`target` unused). Recorded only when done; `serialName` goes
  // into the entry.
  [[nodiscard]] OperationResult run(ActionKind kind, const std::string& source,
                                    const std::string& target, bool serialName);

  // Moves `from` back to `to` for an undo: never replaces anything at `to`, records nothing.
  // A link at `from` is made anew at `to` with `linkText`, the text it had there.
  [[nodiscard]] std::error_code moveBack(const std::string& from, const std::string& to,
                                         const std::optional<std::string>& linkText = {});

  // Copies over kLongCopyBytes (of a copy, of a move across file systems, of an undo) go
  // through `runner`; without one they run where they are called, like any copy.
  void setLongCopyRunner(LongCopyRunner runner) { longCopyRunner_ = std::move(runner); }

  [[nodiscard]] Trash& trash() { return trash_; }
  [[nodiscard]] HistoryList& history() { return history_; }

 private:
  [[nodiscard]] OperationResult place(ActionKind kind, const std::string& source,
                                      const std::string& target, bool serialName);
  [[nodiscard]] OperationResult trashFile(const std::string& source, bool serialName);

  Trash& trash_;
  HistoryList& history_;
  std::function<void()> beforeMove_;
  LongCopyRunner longCopyRunner_;
};

}  // namespace tossbox
