#include "forms/main/FileSelection.h"

namespace tossbox {

ScanOutcome FileSelection::add(const std::string& path, const ScanHooks& hooks) {
  return AddPath(sortList_, path, hooks);
}

void FileSelection::clear() {
  // Rows first: a row must never name an entry that is gone.
  if (rows_) rows_->clear();
  sortList_.clear();
  currentFile_.clear();
}

}  // namespace tossbox
