#include "core/sorting/HistoryList.h"

#include <algorithm>
#include <stdexcept>

namespace tossbox {

void HistoryList::addObserver(HistoryObserver& observer) {
  observers_.push_back(&observer);
}

void HistoryList::removeObserver(HistoryObserver& observer) {
  std::erase(observers_, &observer);
}

void HistoryList::RecordAction(ActionKind kind, bool serialName, std::string_view source,
                               std::string_view target, UndoFacts facts) {
  std::optional<HistoryEntry> entry = HistoryEntry::make(kind, serialName, source, target);
  if (!entry) throw std::length_error("source path too long for the history");
  lines_.push_back(HistoryText(kind, serialName, source, target));
  entries_.push_back(std::move(*entry));
  facts_.push_back(std::move(facts));
  for (HistoryObserver* observer : observers_) observer->historyAppended(entries_.size() - 1);
}

void HistoryList::markUndone(std::size_t index) {
  HistoryEntry& entry = entries_.at(index);
  if (entry.undone()) return;
  entry.markUndone();
  lines_.at(index).insert(0, kUndonePrefix);
  for (HistoryObserver* observer : observers_) observer->historyLineChanged(index);
}

void HistoryList::clear() {
  entries_.clear();
  lines_.clear();
  facts_.clear();
  for (HistoryObserver* observer : observers_) observer->historyCleared();
}

}  // namespace tossbox
