#include "TempTree.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

std::filesystem::path makeTempFolder(std::string_view prefix, const std::filesystem::path& under) {
  std::string pattern = (under / prefix).string() + "XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

TempTree::TempTree(std::string_view prefix, const std::filesystem::path& under)
    : root_(makeTempFolder(prefix, under).string()) {}

TempTree::~TempTree() {
  // Tests take permissions away; give them back so that everything can be removed.
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(
           root_, std::filesystem::directory_options::skip_permission_denied, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    if (it->is_directory(error) && !it->is_symlink(error)) chmod(it->path().c_str(), 0755);
  }
  chmod(root_.c_str(), 0755);
  std::filesystem::remove_all(root_, error);
}

std::string TempTree::path(std::string_view relative) const {
  return root_ + "/" + std::string(relative);
}

std::string TempTree::folder(std::string_view relative) const {
  const std::string full = path(relative);
  std::filesystem::create_directories(full);
  return full;
}

std::string TempTree::file(std::string_view relative) const {
  const std::string full = path(relative);
  std::filesystem::create_directories(std::filesystem::path(full).parent_path());
  std::ofstream(full, std::ios::binary).put('x');
  return full;
}

std::string TempTree::link(std::string_view relative, const std::string& target) const {
  const std::string full = path(relative);
  std::filesystem::create_directories(std::filesystem::path(full).parent_path());
  std::filesystem::create_symlink(target, full);
  return full;
}
