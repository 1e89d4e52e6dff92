#include "TempHome.h"

#include <cstdlib>
#include <stdexcept>

namespace fs = std::filesystem;

TempHome::TempHome() {
  std::string pattern = (fs::temp_directory_path() / "tossbox-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
  const std::map<std::string, fs::path> vars = {{"HOME", home()},
                                                {"XDG_CONFIG_HOME", configHome()},
                                                {"XDG_DATA_HOME", dataHome()},
                                                {"XDG_RUNTIME_DIR", runtimeDir()}};
  for (const auto& [name, dir] : vars) {
    const char* old = std::getenv(name.c_str());
    saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    fs::create_directories(dir);
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::replace);
    setenv(name.c_str(), dir.c_str(), 1);
  }
}

TempHome::~TempHome() {
  for (const auto& [name, value] : saved_) {
    if (value)
      setenv(name.c_str(), value->c_str(), 1);
    else
      unsetenv(name.c_str());
  }
  std::error_code ec;
  fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(root_, ec);
}

fs::path TempHome::makeDir(const std::string& name) const {
  fs::path dir = root_ / name;
  fs::create_directories(dir);
  return dir;
}
