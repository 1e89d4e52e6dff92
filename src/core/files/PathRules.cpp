#include "core/files/PathRules.h"

namespace tossbox {

std::string_view LastPathPart(std::string_view path) {
  const auto slash = path.rfind('/');
  if (slash == std::string_view::npos) return path;
  return path.substr(slash + 1);
}

std::string_view folderOf(std::string_view path) {
  const auto slash = path.rfind('/');
  if (slash == std::string_view::npos) return {};
  if (slash == 0) return path.substr(0, 1);
  return path.substr(0, slash);
}

std::string extensionOf(std::string_view path) {
  const std::string_view name = LastPathPart(path);
  const auto dot = name.rfind('.');
  if (dot == std::string_view::npos) return {};
  std::string extension(name.substr(dot));
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return extension;
}

std::string joinPath(std::string_view folder, std::string_view name) {
  std::string path;
  path.reserve(folder.size() + 1 + name.size());
  path.append(folder);
  if (!path.empty() && path.back() != '/') path.push_back('/');
  path.append(name);
  return path;
}

}  // namespace tossbox
