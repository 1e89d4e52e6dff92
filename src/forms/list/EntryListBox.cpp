#include "forms/list/EntryListBox.h"
#include "forms/common/ByteText.h"

#include "core/files/SortList.h"

namespace tossbox {

EntryListModel::EntryListModel(const SortList& list, QObject* parent)
    : QAbstractListModel(parent), list_(list) {}

int EntryListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant EntryListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
  if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
  const std::string& text = list_.entryText(rows_[static_cast<std::size_t>(index.row())]);
  return byteText(entryNameOf(text));
}

void EntryListModel::setRows(std::vector<std::size_t> entryNumbers) {
  beginResetModel();
  rows_ = std::move(entryNumbers);
  endResetModel();
}

void EntryListModel::appendRow(std::size_t entryNumber) {
  const int row = static_cast<int>(rows_.size());
  beginInsertRows({}, row, row);
  rows_.push_back(entryNumber);
  endInsertRows();
}

void EntryListModel::appendRows(const std::vector<std::size_t>& entryNumbers) {
  if (entryNumbers.empty()) return;
  const int first = static_cast<int>(rows_.size());
  beginInsertRows({}, first, first + static_cast<int>(entryNumbers.size()) - 1);
  rows_.insert(rows_.end(), entryNumbers.begin(), entryNumbers.end());
  endInsertRows();
}

void EntryListModel::clear() {
  setRows({});
}

EntryListBox::EntryListBox(const SortList& list, QWidget* parent)
    : QListView(parent), model_(list, this) {
  setModel(&model_);
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
}

const std::string& EntryListModel::itemText(int row) const {
  return list_.entryText(rows_.at(static_cast<std::size_t>(row)));
}

int EntryListBox::selectedIndex() const {
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  return selected.isEmpty() ? -1 : selected.front().row();
}

void EntryListBox::setSelectedIndex(int row) {
  if (row < 0 || row >= count()) {
    selectionModel()->clearSelection();
    return;
  }
  const QModelIndex index = model_.index(row);
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  scrollTo(index);
}

}  // namespace tossbox
