#include "core/shellns/NamespaceItem.h"

namespace tossbox {

namespace {

constexpr std::string_view kComputerMarker{"\0computer", 9};

}  // namespace

ItemKind kindOfItem(std::string_view data) {
  if (data == kComputerMarker) return ItemKind::Computer;
  if (data.empty() || data.find('\0') != std::string_view::npos) return ItemKind::Invalid;
  if (data.front() == '/') return ItemKind::Anchor;
  if (data == "." || data == ".." || data.find('/') != std::string_view::npos) {
    return ItemKind::Invalid;
  }
  return ItemKind::Name;
}

ItemIdList computerItem() {
  return *ItemIdList::ofItem(kComputerMarker);
}

std::optional<ItemIdList> anchorItem(std::string_view path) {
  if (kindOfItem(path) != ItemKind::Anchor) return std::nullopt;
  return ItemIdList::ofItem(path);
}

std::optional<ItemIdList> nameItem(std::string_view name) {
  if (kindOfItem(name) != ItemKind::Name) return std::nullopt;
  return ItemIdList::ofItem(name);
}

std::optional<NamespaceLocation> stepInto(const NamespaceLocation& from, std::string_view data) {
  switch (kindOfItem(data)) {
    case ItemKind::Computer:
      if (from.kind != LocationKind::Desktop) return std::nullopt;
      return NamespaceLocation{LocationKind::Computer, {}};
    case ItemKind::Anchor:
      if (from.kind == LocationKind::Folder) return std::nullopt;
      return NamespaceLocation{LocationKind::Folder, std::string(data)};
    case ItemKind::Name:
      if (from.kind == LocationKind::Computer) return std::nullopt;
      return NamespaceLocation{LocationKind::Folder, joinPath(from.path, data)};
    case ItemKind::Invalid:
      break;
  }
  return std::nullopt;
}

std::optional<NamespaceLocation> resolveLocation(const std::string& desktopPath,
                                                 const ItemIdList& ids) {
  NamespaceLocation location{LocationKind::Desktop, desktopPath};
  for (const std::string_view data : ids.items()) {
    std::optional<NamespaceLocation> next = stepInto(location, data);
    if (!next) return std::nullopt;
    location = std::move(*next);
  }
  return location;
}

std::string joinPath(const std::string& folder, std::string_view name) {
  std::string path = folder;
  if (path.empty() || path.back() != '/') path.push_back('/');
  path.append(name);
  return path;
}

}  // namespace tossbox
