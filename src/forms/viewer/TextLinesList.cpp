#include "forms/viewer/TextLinesList.h"

#include <algorithm>

#include "core/text/TextLines.h"
#include "forms/common/ByteText.h"

namespace tossbox {

namespace {

// Enough for any screen; a line of megabytes is not laid out whole on every paint. A character
// cut at this point shows as one replacement mark at the line's end.
constexpr std::size_t kListedLineBytes = 4096;

}  // namespace

int TextLinesModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant TextLinesModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::DisplayRole) return lines_[static_cast<std::size_t>(index.row())];
  if (role == Qt::SizeHintRole) return rowSize_;
  return {};
}

void TextLinesModel::setLines(std::vector<QString> lines, QSize rowSize) {
  beginResetModel();
  lines_ = std::move(lines);
  rowSize_ = rowSize;
  endResetModel();
}

void TextLinesModel::clear() {
  setLines({}, {});
}

TextLinesList::TextLinesList(QWidget* parent) : QListView(parent), model_(this) {
  setModel(&model_);
  setUniformItemSizes(true);
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setTextElideMode(Qt::ElideNone);
}

void TextLinesList::setLines(const TextLines& lines) {
  std::vector<QString> texts;
  texts.reserve(lines.size());
  const QFontMetrics metrics(font());
  int widest = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    texts.push_back(textLineText(lines[i].substr(0, kListedLineBytes), lines.utf8()));
    widest = std::max(widest, metrics.horizontalAdvance(texts.back()));
  }
  extent_ = widest;
  // The delegate's own margins come on top of the text's width.
  const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
  model_.setLines(std::move(texts), QSize(widest + margin, kItemHeight));
}

void TextLinesList::clear() {
  extent_ = 0;
  model_.clear();
}

QString TextLinesList::itemText(int row) const {
  return model_.data(model_.index(row), Qt::DisplayRole).toString();
}

}  // namespace tossbox
