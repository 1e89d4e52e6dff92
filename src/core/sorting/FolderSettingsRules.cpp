#include "core/sorting/FolderSettingsRules.h"

#include <algorithm>
#include <filesystem>

#include "core/files/PathRules.h"
#include "core/sorting/TargetName.h"

namespace tossbox {

bool isRootFolder(std::string_view trimmedFolder) {
  if (trimmedFolder.empty() || trimmedFolder.front() != '/') return false;
  if (std::all_of(trimmedFolder.begin(), trimmedFolder.end(), [](char c) { return c == '/'; })) {
    return true;
  }
  return std::filesystem::path(trimmedFolder).lexically_normal() == "/";
}

std::optional<std::string> typedFolderPath(std::string_view trimmedFolder, std::string_view home) {
  std::string folder;
  if (trimmedFolder.empty() || trimmedFolder.front() == '/') {
    folder = trimmedFolder;
  } else if (trimmedFolder == "~" || trimmedFolder.starts_with("~/")) {
    if (home.empty() || home.front() != '/') return std::nullopt;
    folder = joinPath(home, trimmedFolder.substr(std::min<std::size_t>(2, trimmedFolder.size())));
  } else {
    return std::nullopt;
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

ApplyRefusal folderRefusal(std::string_view trimmedFolder) {
  return isRootFolder(trimmedFolder) ? ApplyRefusal::RootFolder : ApplyRefusal::None;
}

ApplyRefusal serialRefusal(bool serialRenameChecked, std::string_view serialText) {
  if (serialRenameChecked && !isSerialNumber(serialText)) return ApplyRefusal::SerialNumber;
  return ApplyRefusal::None;
}

ApplyRefusal prefixRefusal(bool serialRenameChecked, std::string_view prefix) {
  if (serialRenameChecked && prefix.find('/') != std::string_view::npos) {
    return ApplyRefusal::SerialPrefix;
  }
  return ApplyRefusal::None;
}

AfterApply afterApply(const FolderTarget& stored) {
  if (!stored.renamesSerially()) return AfterApply::Close;
  if (stored.SerialPrefix.empty()) return AfterApply::FocusPrefix;
  if (!stored.SerialNumber.empty()) return AfterApply::Close;
  return AfterApply::FocusSerial;
}

}  // namespace tossbox
