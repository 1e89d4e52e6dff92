#pragma once
// What one node of the folder tree knows of its folder: the absolute item-ID list of the parent
// folder (none for the root) and the item's own list relative to it. A node owns one and frees
// it with itself.
#include <optional>

#include "core/shellns/ItemIdList.h"

namespace tossbox {

class TItemIDs {
 public:
  TItemIDs(std::optional<ItemIdList> parentIds, ItemIdList childId)
      : parentIds_(std::move(parentIds)), childId_(std::move(childId)) {}

  [[nodiscard]] const std::optional<ItemIdList>& ParentIDs() const { return parentIds_; }
  [[nodiscard]] const ItemIdList& ChildID() const { return childId_; }
  // The item's absolute list: the parent's list followed by the child's (the child's alone for
  // the root).
  [[nodiscard]] ItemIdList AbsoluteIDs() const;

 private:
  std::optional<ItemIdList> parentIds_;
  ItemIdList childId_;
};

}  // namespace tossbox
