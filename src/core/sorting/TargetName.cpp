#include "core/sorting/TargetName.h"

#include <algorithm>

#include "core/files/PathRules.h"
#include "core/sorting/SortPaths.h"

namespace tossbox {

bool isSerialNumber(std::string_view text) {
  if (text.empty() || text.size() > kMaxSerialNumberBytes) return false;
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<std::string> advancedSerialNumber(std::string_view serial) {
  if (!isSerialNumber(serial)) return std::nullopt;
  // Adding one digit by digit keeps any length exact, where an integer would overflow.
  std::string next(serial);
  auto digit = next.rbegin();
  for (; digit != next.rend() && *digit == '9'; ++digit) *digit = '0';
  if (digit != next.rend()) {
    ++*digit;
  } else {
    next.insert(next.begin(), '1');
  }
  if (next.size() > kMaxSerialNumberBytes) return std::nullopt;
  return next;
}

std::optional<std::string> TargetName(FolderTarget& button, std::string_view path) {
  if (!button.renamesSerially()) return std::string(path);
  // A prefix from an older or hand-edited store could name a place outside the folder.
  if (button.SerialPrefix.find('/') != std::string::npos) return std::nullopt;
  std::optional<std::string> next = advancedSerialNumber(button.SerialNumber);
  if (!next) return std::nullopt;
  std::string name = button.SerialPrefix + button.SerialNumber;
  name.append(extensionKeptOf(path));
  std::string result = joinPath(folderOf(path), name);
  button.SerialNumber = std::move(*next);
  return result;
}

}  // namespace tossbox
