#pragma once
// What the data of one item in an item-ID list means, and where a list leads. An item is one of:
// - a name (no "/" and no NUL, not "." or ".."): the folder of that name inside the folder the
//   items before it lead to;
// - an anchor, an absolute path: the home folder below the desktop, a volume below the computer;
// - the computer marker, which no file name can be (it starts with a NUL byte): the virtual
//   folder that holds "/" and the mounted volumes.
// The empty list is the desktop, whose folder is the user's desktop folder.
#include <optional>
#include <string>
#include <string_view>

#include "core/shellns/ItemIdList.h"

namespace tossbox {

enum class ItemKind { Name, Anchor, Computer, Invalid };

enum class LocationKind { Desktop, Computer, Folder };

struct NamespaceLocation {
  LocationKind kind = LocationKind::Desktop;
  std::string path;  // the folder's path; empty for the computer
};

[[nodiscard]] ItemKind kindOfItem(std::string_view data);

[[nodiscard]] ItemIdList computerItem();
// nullopt when `path` is not absolute or cannot be an item.
[[nodiscard]] std::optional<ItemIdList> anchorItem(std::string_view path);
// nullopt when `name` is not a single file name.
[[nodiscard]] std::optional<ItemIdList> nameItem(std::string_view name);

// Where the item `data` leads from `from`; nullopt when it cannot stand there.
[[nodiscard]] std::optional<NamespaceLocation> stepInto(const NamespaceLocation& from,
                                                        std::string_view data);

// Where the absolute list `ids` leads, starting at the desktop folder `desktopPath`; nullopt when
// an item cannot stand where it is.
[[nodiscard]] std::optional<NamespaceLocation> resolveLocation(const std::string& desktopPath,
                                                               const ItemIdList& ids);

// `folder` + "/" + `name`, with a single slash below the root.
[[nodiscard]] std::string joinPath(const std::string& folder, std::string_view name);

}  // namespace tossbox
