#include "core/shellns/ShellNamespace.h"

#include <vector>

#include "core/shellns/NamespaceItem.h"

namespace tossbox {

namespace {

constexpr std::string_view kDesktopName = "デスクトップ";

}  // namespace

std::string ShellNamespace::displayNameOf(const ItemIdList& absolute) const {
  if (!absolute.hasItems()) return std::string(kDesktopName);
  std::optional<ChildLook> look = lookOf(absolute);
  return look ? std::move(look->displayName) : std::string();
}

FolderIcon ShellNamespace::iconOf(const ItemIdList& absolute) const {
  if (!absolute.hasItems()) return FolderIcon::Desktop;
  const std::optional<ChildLook> look = lookOf(absolute);
  return look ? look->icon : FolderIcon::Folder;
}

std::string ShellNamespace::pathOf(const ItemIdList& absolute) const {
  const std::optional<NamespaceLocation> location = resolveLocation(places_.desktop, absolute);
  if (!location || location->kind == LocationKind::Computer) return {};
  return location->path;
}

std::optional<ChildLook> ShellNamespace::lookOf(const ItemIdList& absolute) const {
  const std::vector<std::string_view> items = absolute.items();
  NamespaceLocation parent{LocationKind::Desktop, places_.desktop};
  for (std::size_t i = 0; i + 1 < items.size(); ++i) {
    std::optional<NamespaceLocation> next = stepInto(parent, items[i]);
    if (!next) return std::nullopt;
    parent = std::move(*next);
  }
  if (!stepInto(parent, items.back())) return std::nullopt;
  return lookOfChild(places_, parent, items.back());
}

}  // namespace tossbox
