#pragma once
// The action history: every copy, move and trash that was done, oldest first, each as its
// HistoryEntry, its history line and what an undo needs to check first. The history window's
// lines mirror lines() index for index: the list tells its observers of every change.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/sorting/FileTransfer.h"
#include "core/sorting/HistoryEntry.h"

namespace tossbox {

// Facts kept beside an entry (the entry's bytes have no room for them).
struct UndoFacts {
  // The file a copy or move left at its target, as it was then.
  std::optional<FileIdentity> placed;
  // Where the file that the copy or move replaced waits in the trash.
  std::optional<std::string> replacedInTrash;
  // The text a moved symbolic link had before the move, for putting it back as it was.
  std::optional<std::string> movedLinkText;
};

// A view of a HistoryList, told of each change as it happens.
class HistoryObserver {
 public:
  // Entry `index` was appended.
  virtual void historyAppended(std::size_t index) = 0;
  // The line of entry `index` changed.
  virtual void historyLineChanged(std::size_t index) = 0;
  virtual void historyCleared() = 0;

 protected:
  HistoryObserver() = default;
  ~HistoryObserver() = default;
  HistoryObserver(const HistoryObserver&) = default;
  HistoryObserver& operator=(const HistoryObserver&) = default;
};

class HistoryList {
 public:
  HistoryList() = default;
  // Observers watch one list; a copy would tell them of changes to another.
  HistoryList(const HistoryList&) = delete;
  HistoryList& operator=(const HistoryList&) = delete;

  // `observer` is told of every change until it is removed; it must be removed before it goes.
  void addObserver(HistoryObserver& observer);
  void removeObserver(HistoryObserver& observer);

  // Appends an action that was done. Throws std::length_error when `source` is too long for
  // the entry; callers check that before they act.
  void RecordAction(ActionKind kind, bool serialName, std::string_view source,
                    std::string_view target, UndoFacts facts = {});

  [[nodiscard]] std::size_t size() const { return entries_.size(); }
  [[nodiscard]] bool empty() const { return entries_.empty(); }
  [[nodiscard]] const HistoryEntry& entry(std::size_t index) const { return entries_.at(index); }
  [[nodiscard]] const UndoFacts& facts(std::size_t index) const { return facts_.at(index); }
  [[nodiscard]] const std::string& line(std::size_t index) const { return lines_.at(index); }
  [[nodiscard]] const std::vector<std::string>& lines() const { return lines_; }

  // Marks an entry undone: its kind byte goes up by three and its line gets "[取消済] ".
  void markUndone(std::size_t index);
  // "履歴を全消去": nothing can be undone afterwards.
  void clear();

 private:
  std::vector<HistoryEntry> entries_;
  std::vector<std::string> lines_;
  std::vector<UndoFacts> facts_;
  std::vector<HistoryObserver*> observers_;
};

}  // namespace tossbox
