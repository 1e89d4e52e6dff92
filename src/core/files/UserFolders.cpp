#include "core/files/UserFolders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace tossbox {

namespace {

std::string withoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool isAbsolute(const char* path) {
  return path != nullptr && path[0] == '/';
}

std::optional<std::string> absoluteVariable(const char* name) {
  const char* value = std::getenv(name);
  if (!isAbsolute(value)) return std::nullopt;
  return withoutTrailingSlashes(value);
}

std::optional<std::string> passwordDatabaseHome() {
  long bufferSize = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  if (bufferSize <= 0) bufferSize = 16384;
  std::vector<char> buffer(static_cast<std::size_t>(bufferSize));
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
      found == nullptr || !isAbsolute(found->pw_dir)) {
    return std::nullopt;
  }
  return withoutTrailingSlashes(found->pw_dir);
}

// `home` joined with `below`, without a doubled "/" for the root.
std::string underHome(const std::string& home, const char* below) {
  return (home == "/" ? std::string() : home) + below;
}

}  // namespace

std::string currentHomeFolder() {
  if (std::optional<std::string> home = absoluteVariable("HOME")) return *home;
  return passwordDatabaseHome().value_or("/");
}

std::string currentConfigHome(const std::string& home) {
  return absoluteVariable("XDG_CONFIG_HOME").value_or(underHome(home, "/.config"));
}

std::string currentDataHome(const std::string& home) {
  return absoluteVariable("XDG_DATA_HOME").value_or(underHome(home, "/.local/share"));
}

std::optional<std::string> currentRuntimeFolder() {
  std::optional<std::string> runtime = absoluteVariable("XDG_RUNTIME_DIR");
  struct stat info {};
  if (!runtime || ::stat(runtime->c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
    return std::nullopt;
  return runtime;
}

}  // namespace tossbox
