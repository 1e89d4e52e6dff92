#include "core/sorting/FolderSettingsRules.h"

#include <algorithm>
#include <filesystem>

#include "core/sorting/TargetName.h"

namespace tossbox {

bool isRootFolder(std::string_view trimmedFolder) {
  if (trimmedFolder.empty() || trimmedFolder.front() != '/') return false;
  if (std::all_of(trimmedFolder.begin(), trimmedFolder.end(), [](char c) { return c == '/'; })) {
    return true;
  }
  return std::filesystem::path(trimmedFolder).lexically_normal() == "/";
}

ApplyRefusal folderRefusal(std::string_view trimmedFolder) {
  return isRootFolder(trimmedFolder) ? ApplyRefusal::RootFolder : ApplyRefusal::None;
}

ApplyRefusal serialRefusal(bool serialRenameChecked, std::string_view serialText) {
  if (serialRenameChecked && !isSerialNumber(serialText)) return ApplyRefusal::SerialNumber;
  return ApplyRefusal::None;
}

AfterApply afterApply(const FolderTarget& stored) {
  if (stored.SerialRename != 1) return AfterApply::Close;
  if (stored.SerialPrefix.empty()) return AfterApply::FocusPrefix;
  if (!stored.SerialNumber.empty()) return AfterApply::Close;
  return AfterApply::FocusSerial;
}

}  // namespace tossbox
