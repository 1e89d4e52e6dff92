#include "core/shellns/BoundFolder.h"

#include <algorithm>
#include <iterator>

#include "core/shellns/DisplayText.h"

namespace tossbox {

namespace {

constexpr std::string_view kComputerName = "コンピュータ";
constexpr std::string_view kHomeName = "ホーム";

unsigned char asciiLower(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// The data of a one-item relative list, or nullopt for anything else.
std::optional<std::string_view> singleItem(const ItemIdList& child) {
  const std::vector<std::string_view> items = child.items();
  if (items.size() != 1) return std::nullopt;
  return items.front();
}

}  // namespace

ChildLook lookOfChild(const NamespacePlaces& places, const NamespaceLocation& parent,
                      std::string_view data) {
  switch (kindOfItem(data)) {
    case ItemKind::Computer:
      return {std::string(kComputerName), FolderIcon::Computer};
    case ItemKind::Anchor:
      if (parent.kind == LocationKind::Desktop && data == places.home) {
        return {std::string(kHomeName), FolderIcon::Home};
      }
      return {displayTextOfName(data), FolderIcon::Volume};
    case ItemKind::Name:
    case ItemKind::Invalid:
      break;
  }
  return {displayTextOfName(data), FolderIcon::Folder};
}

std::optional<BoundFolder> BoundFolder::bind(const NamespacePlaces& places,
                                             const ItemIdList& absolute) {
  std::optional<NamespaceLocation> location = resolveLocation(places.desktop, absolute);
  if (!location) return std::nullopt;
  switch (location->kind) {
    case LocationKind::Desktop:
      // The desktop stays usable without its folder: the computer and home are below it too.
      return BoundFolder(places, *location, FolderHandle::open(location->path), {});
    case LocationKind::Computer:
      return BoundFolder(places, *location, std::nullopt, readUserVolumes(places.mountsFile));
    case LocationKind::Folder:
      break;
  }
  std::optional<FolderHandle> folder = FolderHandle::open(location->path);
  if (!folder) return std::nullopt;
  return BoundFolder(places, *location, std::move(folder), {});
}

std::optional<std::vector<ItemIdList>> BoundFolder::enumerate() const {
  switch (location_.kind) {
    case LocationKind::Desktop:
      return desktopChildren();
    case LocationKind::Computer:
      return computerChildren();
    case LocationKind::Folder:
      break;
  }
  return folderChildren();
}

std::vector<ItemIdList> BoundFolder::desktopChildren() const {
  std::vector<ItemIdList> children{computerItem()};
  // Without a desktop folder of its own the desktop is the home folder; it is not listed twice.
  const std::optional<FolderHandle> home = FolderHandle::open(places_.home);
  const bool homeIsDesktop = home && folder_ && home->isSameFolder(*folder_);
  if (home && !homeIsDesktop) {
    if (std::optional<ItemIdList> anchor = anchorItem(places_.home)) {
      children.push_back(std::move(*anchor));
    }
  }
  if (std::optional<std::vector<ItemIdList>> own = folderChildren()) {
    std::move(own->begin(), own->end(), std::back_inserter(children));
  }
  return children;
}

std::vector<ItemIdList> BoundFolder::computerChildren() const {
  std::vector<ItemIdList> children{*anchorItem("/")};
  for (const MountedVolume& volume : volumes_) {
    // Remote volumes are listed unseen: asking a server that is gone may block for minutes.
    // Mount points that are not folders (single files bound into place) are left out.
    if (!isRemoteFsType(volume.fsType) && !isExistingFolder(volume.mountPoint)) continue;
    if (std::optional<ItemIdList> anchor = anchorItem(volume.mountPoint)) {
      children.push_back(std::move(*anchor));
    }
  }
  return children;
}

std::optional<std::vector<ItemIdList>> BoundFolder::folderChildren() const {
  if (!folder_) return std::nullopt;
  std::optional<std::vector<std::string>> names = folder_->visibleSubfolders();
  if (!names) return std::nullopt;
  std::sort(names->begin(), names->end(),
            [](const std::string& a, const std::string& b) { return folderNameLess(a, b); });
  std::vector<ItemIdList> children;
  children.reserve(names->size());
  for (const std::string& name : *names) {
    if (std::optional<ItemIdList> item = nameItem(name)) children.push_back(std::move(*item));
  }
  return children;
}

FolderAttributes BoundFolder::attributesOf(const ItemIdList& child) const {
  const std::optional<std::string_view> data = singleItem(child);
  if (!data || !stepInto(location_, *data)) return {};
  switch (kindOfItem(*data)) {
    case ItemKind::Computer:
      return {true, true};
    case ItemKind::Anchor:
      if (isRemoteVolume(*data)) return {true, true};
      return anchorAttributes(std::string(*data));
    case ItemKind::Name:
      return nameAttributes(*data);
    case ItemKind::Invalid:
      break;
  }
  return {};
}

ChildLook BoundFolder::lookOf(const ItemIdList& child) const {
  const std::optional<std::string_view> data = singleItem(child);
  if (!data) return {};
  return lookOfChild(places_, location_, *data);
}

FolderAttributes BoundFolder::anchorAttributes(const std::string& path) const {
  const std::optional<FolderHandle> folder = FolderHandle::open(path);
  if (!folder) return {isExistingFolder(path), false};
  return {true, folder->hasVisibleSubfolder()};
}

FolderAttributes BoundFolder::nameAttributes(std::string_view name) const {
  if (!folder_ || !folder_->isChildFolder(name)) return {};
  const std::optional<FolderHandle> child = folder_->openChild(name);
  return {true, child && child->hasVisibleSubfolder()};
}

bool BoundFolder::isRemoteVolume(std::string_view mountPoint) const {
  return std::any_of(volumes_.begin(), volumes_.end(), [mountPoint](const MountedVolume& v) {
    return v.mountPoint == mountPoint && isRemoteFsType(v.fsType);
  });
}

bool folderNameLess(std::string_view a, std::string_view b) {
  const auto folded = [](char x, char y) { return asciiLower(x) < asciiLower(y); };
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded)) return true;
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded)) return false;
  return a < b;
}

}  // namespace tossbox
