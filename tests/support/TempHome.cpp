#include "TempHome.h"

#include "TempTree.h"

#include <cstdlib>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

// Removed when the process ends.
class ProcessFolders {
 public:
  ProcessFolders() : root_(makeTempFolder("tossbox-test-process-")) {}
  ~ProcessFolders() {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  ProcessFolders(const ProcessFolders&) = delete;
  ProcessFolders& operator=(const ProcessFolders&) = delete;

  [[nodiscard]] fs::path home() const { return root_ / "home"; }
  [[nodiscard]] fs::path data() const { return root_ / "data"; }

 private:
  fs::path root_;
};

const ProcessFolders& processFolders() {
  static const ProcessFolders folders;
  return folders;
}

void makePrivateFolder(const fs::path& dir) {
  fs::create_directories(dir);
  fs::permissions(dir, fs::perms::owner_all, fs::perm_options::replace);
}

// A test may have taken the rights away from what it left behind.
void emptyFolder(const fs::path& dir) {
  std::error_code ec;
  fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
  for (const fs::directory_entry& entry : fs::directory_iterator(dir, ec)) {
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(entry.path(), ec);
  }
}

}  // namespace

TempHome::TempHome() {
  root_ = makeTempFolder("tossbox-test-");
  const std::map<std::string, fs::path> vars = {{"HOME", home()},
                                                {"XDG_CONFIG_HOME", configHome()},
                                                {"XDG_DATA_HOME", dataHome()},
                                                {"XDG_RUNTIME_DIR", runtimeDir()}};
  for (const auto& [name, dir] : vars) {
    const char* old = std::getenv(name.c_str());
    saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    makePrivateFolder(dir);
    emptyFolder(dir);
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
  emptyFolder(home());
  emptyFolder(dataHome());
}

fs::path TempHome::home() const {
  return processFolders().home();
}

fs::path TempHome::dataHome() const {
  return processFolders().data();
}

fs::path TempHome::makeDir(const std::string& name) const {
  fs::path dir = root_ / name;
  fs::create_directories(dir);
  return dir;
}

void TempHome::settleProcessFolders() {
  const ProcessFolders& folders = processFolders();
  makePrivateFolder(folders.home());
  makePrivateFolder(folders.data());
  setenv("HOME", folders.home().c_str(), 1);
  setenv("XDG_DATA_HOME", folders.data().c_str(), 1);
}
