#pragma once
// One node of the folder tree: it owns the item IDs of its folder, freed with the node whenever
// the node goes (deleted alone, or with the whole tree when it is cleared), and remembers
// whether its children were read.
#include <QTreeWidgetItem>

#include "core/shellns/TItemIDs.h"

namespace tossbox {

class KtTreeNode : public QTreeWidgetItem {
 public:
  static constexpr int kType = QTreeWidgetItem::UserType + 1;

  explicit KtTreeNode(TItemIDs ids) : QTreeWidgetItem(kType), ids_(std::move(ids)) {}

  [[nodiscard]] const TItemIDs& ItemIDs() const { return ids_; }

  // The node shows an expand button: its folder had subfolders when it was listed.
  [[nodiscard]] bool HasChildren() const {
    return childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator;
  }
  void SetHasChildren(bool hasChildren) {
    setChildIndicatorPolicy(hasChildren ? QTreeWidgetItem::ShowIndicator
                                        : QTreeWidgetItem::DontShowIndicator);
  }

  [[nodiscard]] bool Filled() const { return filled_; }
  void MarkFilled() { filled_ = true; }

 private:
  TItemIDs ids_;
  bool filled_ = false;
};

}  // namespace tossbox
