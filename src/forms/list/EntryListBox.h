#pragma once
// The list box of entries (`TForm2.ListBox1`): each item is an entry of the
// sort list, drawn as its file name only while the item text keeps the tab
// and the entry number. Its selection is the position on show for every
// window. Items are held as entry numbers, so a list of a hundred thousand
// files costs a few bytes an item.
#include <QAbstractListModel>
#include <QListView>
#include <cstddef>
#include <string>
#include <vector>

namespace tossbox {

class SortList;

class EntryListModel : public QAbstractListModel {
  Q_OBJECT
 public:
  explicit EntryListModel(const SortList& list, QObject* parent = nullptr);

  [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
  [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

  void setRows(std::vector<std::size_t> entryNumbers);
  void appendRow(std::size_t entryNumber);
  void appendRows(const std::vector<std::size_t>& entryNumbers);
  void clear();
  [[nodiscard]] std::size_t entryNumber(int row) const {
    return rows_.at(static_cast<std::size_t>(row));
  }
  [[nodiscard]] const std::string& itemText(int row) const;

 private:
  const SortList& list_;
  std::vector<std::size_t> rows_;
};

class EntryListBox : public QListView {
  Q_OBJECT
 public:
  EntryListBox(const SortList& list, QWidget* parent = nullptr);

  [[nodiscard]] int count() const { return model_.rowCount(); }
  // The item text: file name, TAB, nine-digit entry number.
  [[nodiscard]] const std::string& itemText(int row) const { return model_.itemText(row); }
  [[nodiscard]] std::size_t entryNumber(int row) const { return model_.entryNumber(row); }
  // -1 when nothing is selected.
  [[nodiscard]] int selectedIndex() const;
  // An index outside the list leaves nothing selected.
  void setSelectedIndex(int row);

  void setRows(std::vector<std::size_t> entryNumbers) { model_.setRows(std::move(entryNumbers)); }
  void appendEntry(std::size_t entryNumber) { model_.appendRow(entryNumber); }
  void appendEntries(const std::vector<std::size_t>& entryNumbers) {
    model_.appendRows(entryNumbers);
  }
  void clear() { model_.clear(); }

 private:
  EntryListModel model_;
};

}  // namespace tossbox
