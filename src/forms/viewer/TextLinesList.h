#pragma once
// The viewer's text view (`ListBox1`): the lines of the last text shown,
// one item each, scrolling sideways as far as the widest line reaches.
#include <QAbstractListModel>
#include <QListView>
#include <QString>
#include <vector>

namespace tossbox {

class TextLines;

class TextLinesModel : public QAbstractListModel {
  Q_OBJECT
 public:
  using QAbstractListModel::QAbstractListModel;

  [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
  [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

  // Every row gets the size of the widest, so the view scrolls that far.
  void setLines(std::vector<QString> lines, QSize rowSize);
  void clear();

 private:
  std::vector<QString> lines_;
  QSize rowSize_;
};

class TextLinesList : public QListView {
  Q_OBJECT
 public:
  static constexpr int kItemHeight = 12;

  explicit TextLinesList(QWidget* parent = nullptr);

  void setLines(const TextLines& lines);
  void clear();
  [[nodiscard]] int count() const { return model_.rowCount(); }
  [[nodiscard]] QString itemText(int row) const;
  // The width of the widest line in the list's font.
  [[nodiscard]] int horizontalExtent() const { return extent_; }

 private:
  TextLinesModel model_;
  int extent_ = 0;
};

}  // namespace tossbox
