#include "core/shellns/TItemIDs.h"

namespace tossbox {

ItemIdList TItemIDs::AbsoluteIDs() const {
  if (!parentIds_) return childId_;
  return concatenate(*parentIds_, childId_);
}

}  // namespace tossbox
