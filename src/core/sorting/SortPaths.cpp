#include "core/sorting/SortPaths.h"

#include "core/files/PathRules.h"

namespace tossbox {

std::string_view extensionKeptOf(std::string_view path) {
  const std::string_view name = LastPathPart(path);
  const auto dot = name.rfind('.');
  if (dot == std::string_view::npos) return {};
  return name.substr(dot);
}

std::string_view stemOf(std::string_view path) {
  const std::string_view name = LastPathPart(path);
  return name.substr(0, name.size() - extensionKeptOf(name).size());
}

std::string buttonTargetPath(std::string_view folderPath, std::string_view file) {
  while (folderPath.size() > 1 && folderPath.back() == '/') folderPath.remove_suffix(1);
  return joinPath(folderPath, LastPathPart(file));
}

}  // namespace tossbox
