#pragma once
// One folder of the namespace, bound: open and ready to list its child folders and to tell
// about each of them. A bound file-system folder holds the folder open, so its children are
// looked up inside the very folder that was bound even if its path changes meanwhile.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/shellns/FolderHandle.h"
#include "core/shellns/ItemIdList.h"
#include "core/shellns/MountTable.h"
#include "core/shellns/NamespaceItem.h"
#include "core/shellns/NamespacePlaces.h"

namespace tossbox {

enum class FolderIcon { Desktop, Computer, Home, Volume, Folder };

struct FolderAttributes {
  bool folder = false;         // it is a folder (or a link to one) and still there
  bool hasSubfolders = false;  // opening it would show at least one folder
};

// How a child is shown: its name in its folder (UTF-8) and the kind of icon.
struct ChildLook {
  std::string displayName;
  FolderIcon icon = FolderIcon::Folder;
};

// The look of the item `data` inside the folder at `parent`.
[[nodiscard]] ChildLook lookOfChild(const NamespacePlaces& places, const NamespaceLocation& parent,
                                    std::string_view data);

class BoundFolder {
 public:
  // nullopt where binding fails: a list that leads nowhere, a folder that is gone or cannot be
  // opened.
  [[nodiscard]] static std::optional<BoundFolder> bind(const NamespacePlaces& places,
                                                       const ItemIdList& absolute);

  [[nodiscard]] const NamespaceLocation& location() const { return location_; }

  // The relative one-item lists of the child folders, in the namespace's order: below the
  // desktop the computer, the home folder and the desktop's own folders; below the computer "/"
  // and the mounted volumes; elsewhere the folders inside, in name order. Hidden folders are
  // left out. nullopt when the folder cannot be read.
  [[nodiscard]] std::optional<std::vector<ItemIdList>> enumerate() const;

  [[nodiscard]] FolderAttributes attributesOf(const ItemIdList& child) const;
  [[nodiscard]] ChildLook lookOf(const ItemIdList& child) const;

 private:
  BoundFolder(NamespacePlaces places, NamespaceLocation location,
              std::optional<FolderHandle> folder, std::vector<MountedVolume> volumes)
      : places_(std::move(places)),
        location_(std::move(location)),
        folder_(std::move(folder)),
        volumes_(std::move(volumes)) {}

  [[nodiscard]] std::vector<ItemIdList> desktopChildren() const;
  [[nodiscard]] std::vector<ItemIdList> computerChildren() const;
  [[nodiscard]] std::optional<std::vector<ItemIdList>> folderChildren() const;
  [[nodiscard]] FolderAttributes anchorAttributes(const std::string& path) const;
  [[nodiscard]] FolderAttributes nameAttributes(std::string_view name) const;
  [[nodiscard]] bool isRemoteVolume(std::string_view mountPoint) const;

  NamespacePlaces places_;
  NamespaceLocation location_;
  std::optional<FolderHandle> folder_;  // the open folder; none for the computer
  std::vector<MountedVolume> volumes_;  // the computer's volumes, read when it was bound
};

// Folder names in the order a user looks for them: letters without regard to case, then bytes.
[[nodiscard]] bool folderNameLess(std::string_view a, std::string_view b);

}  // namespace tossbox
