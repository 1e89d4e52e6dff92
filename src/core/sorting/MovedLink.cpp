#include "core/sorting/MovedLink.h"

#include <filesystem>
#include <optional>
#include <vector>

#include "core/sorting/SortPaths.h"

namespace tossbox {

namespace {

namespace fs = std::filesystem;

std::optional<fs::path> realFolder(const std::string& folder) {
  std::error_code error;
  fs::path real = fs::canonical(folder.empty() ? std::string(".") : folder, error);
  if (error) return std::nullopt;
  return real;
}

// The texts worth trying, best first. The folders are taken as the system resolves them; a
// ".." after a linked folder inside the text can still make the first guesses miss, which the
// caller finds out by looking at what the made link reaches.
std::vector<std::string> textsToTry(const std::string& link, const std::string& text,
                                    const std::string& folder) {
  if (fs::path(text).is_absolute()) return {text};
  std::vector<std::string> texts;
  const std::optional<fs::path> from = realFolder(std::string(folderOf(link)));
  const std::optional<fs::path> into = realFolder(folder);
  if (from && into) {
    const fs::path aimed = (*from / text).lexically_normal();
    const fs::path relative = aimed.lexically_relative(*into);
    if (!relative.empty()) texts.push_back(relative.string());
    texts.push_back(aimed.string());
  }
  std::error_code error;
  const fs::path reached = fs::canonical(link, error);
  if (!error) texts.push_back(reached.string());
  return texts;
}

}  // namespace

HiddenCopy remakeLinkIn(const std::string& link, const std::string& text,
                        const std::string& folder) {
  const std::optional<FileStatus> reached = statusOf(link, Follow::Links);
  if (!reached) return {{}, {}, std::make_error_code(std::errc::no_such_file_or_directory)};
  for (const std::string& candidate : textsToTry(link, text, folder)) {
    HiddenCopy made = writeHiddenLink(candidate, folder);
    if (made.error) return made;
    const std::optional<FileStatus> reaches = statusOf(made.path, Follow::Links);
    if (reaches && reaches->identity.sameFileAs(reached->identity)) return made;
    (void)removeFile(made.path);
  }
  return {{}, {}, std::make_error_code(std::errc::no_such_file_or_directory)};
}

}  // namespace tossbox
