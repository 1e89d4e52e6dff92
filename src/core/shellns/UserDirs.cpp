#include "core/shellns/UserDirs.h"

#include <optional>

#include "core/files/RegularFile.h"
#include "core/shellns/FolderHandle.h"

namespace tossbox {

namespace {

constexpr std::string_view kDesktopKey = "XDG_DESKTOP_DIR";
constexpr std::string_view kHomeVariable = "$HOME";
// A user-dirs file is a handful of lines; anything far larger is not one.
constexpr std::size_t kMaxUserDirsBytes = 64 * 1024;

std::string_view trimLeft(std::string_view text) {
  const std::size_t start = text.find_first_not_of(" \t");
  return start == std::string_view::npos ? std::string_view{} : text.substr(start);
}

// The value between double quotes at the start of `text`, backslash escapes undone.
std::optional<std::string> quotedValue(std::string_view text) {
  if (text.empty() || text.front() != '"') return std::nullopt;
  std::string value;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] == '"') return value;
    if (text[i] == '\\' && i + 1 < text.size()) ++i;
    value.push_back(text[i]);
  }
  return std::nullopt;
}

std::string withoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string readSmallFile(const std::string& path) {
  const std::optional<FileBytes> file = readRegularFile(path, kMaxUserDirsBytes);
  if (!file) return {};
  return std::string(file->bytes.begin(), file->bytes.end());
}

}  // namespace

std::string desktopDirFromUserDirs(std::string_view userDirsText, const std::string& home) {
  std::string result;
  while (!userDirsText.empty()) {
    const std::size_t end = userDirsText.find('\n');
    const std::string_view line = trimLeft(userDirsText.substr(0, end));
    userDirsText =
        end == std::string_view::npos ? std::string_view{} : userDirsText.substr(end + 1);
    if (!line.starts_with(kDesktopKey)) continue;
    const std::string_view rest = trimLeft(line.substr(kDesktopKey.size()));
    if (rest.empty() || rest.front() != '=') continue;
    const std::optional<std::string> value = quotedValue(trimLeft(rest.substr(1)));
    if (!value) continue;
    // Like a shell sourcing the file, the last assignment wins.
    if (value->starts_with(kHomeVariable) &&
        (value->size() == kHomeVariable.size() || (*value)[kHomeVariable.size()] == '/')) {
      result = withoutTrailingSlashes(home + value->substr(kHomeVariable.size()));
    } else if (value->starts_with('/')) {
      result = withoutTrailingSlashes(*value);
    }
  }
  return result;
}

std::string desktopFolderOf(const std::string& home, const std::string& configHome) {
  const std::string desktop =
      desktopDirFromUserDirs(readSmallFile(configHome + "/user-dirs.dirs"), home);
  if (!desktop.empty() && isExistingFolder(desktop)) return desktop;
  return home;
}

}  // namespace tossbox
