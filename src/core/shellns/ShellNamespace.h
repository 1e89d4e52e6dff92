#pragma once
// The folder namespace the folder tree shows, over the Linux file system: the desktop at the
// root; below it a virtual computer (no path of its own) holding "/" and the mounted volumes,
// the home folder, then the desktop folder's own folders; below those, real folders.
// Every folder is named by an absolute item-ID list whose items carry names as the file system
// gave them, so the path of a list is exactly the bytes of the folder it names.
#include <optional>
#include <string>

#include "core/shellns/BoundFolder.h"
#include "core/shellns/ItemIdList.h"
#include "core/shellns/NamespacePlaces.h"

namespace tossbox {

class ShellNamespace {
 public:
  explicit ShellNamespace(NamespacePlaces places) : places_(std::move(places)) {}
  [[nodiscard]] static ShellNamespace forCurrentUser() {
    return ShellNamespace(currentUserPlaces());
  }

  [[nodiscard]] const NamespacePlaces& places() const { return places_; }

  // The desktop's own list: the empty list.
  [[nodiscard]] static ItemIdList desktopIds() { return ItemIdList(); }

  [[nodiscard]] std::optional<BoundFolder> bind(const ItemIdList& absolute) const {
    return BoundFolder::bind(places_, absolute);
  }

  // The name of the folder `absolute` leads to, as shown on its own (the desktop root's name).
  [[nodiscard]] std::string displayNameOf(const ItemIdList& absolute) const;
  [[nodiscard]] FolderIcon iconOf(const ItemIdList& absolute) const;

  // The file-system path of `absolute`, as bytes; empty for the computer and for a list that
  // leads nowhere.
  [[nodiscard]] std::string pathOf(const ItemIdList& absolute) const;

 private:
  // The look of the last item of `absolute` in the folder the items before it lead to.
  [[nodiscard]] std::optional<ChildLook> lookOf(const ItemIdList& absolute) const;

  NamespacePlaces places_;
};

}  // namespace tossbox
