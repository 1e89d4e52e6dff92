#pragma once
// The files to sort, the list box rows that show them and the file on show, kept consistent in
// this one place: every row is the entry number of an entry of the list (the number indexes
// SortList and EntryList alike), the file on show is the path of an entry or nothing, and the
// three are emptied together.
#include <QPointer>
#include <cstddef>
#include <string>

#include "core/files/FolderScan.h"
#include "core/files/SortList.h"
#include "forms/list/EntryListBox.h"

namespace tossbox {

class FileSelection {
 public:
  [[nodiscard]] const SortList& sortList() const { return sortList_; }
  [[nodiscard]] const std::string& currentFile() const { return currentFile_; }

  // The list box whose rows show the list (`TForm2.ListBox1`).
  void setRows(EntryListBox& rows) { rows_ = &rows; }

  // Collects `path` into the list; the new entries reach the rows through `hooks`.
  ScanOutcome add(const std::string& path, const ScanHooks& hooks);
  // The file on show becomes the one of entry `number`.
  void showEntry(std::size_t number) { currentFile_ = sortList_.path(number); }
  // Empties the rows, the list and the file on show.
  void clear();

 private:
  SortList sortList_;
  std::string currentFile_;
  // Gone before this at the end of the run.
  QPointer<EntryListBox> rows_;
};

}  // namespace tossbox
