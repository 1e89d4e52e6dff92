#include "core/files/UserFolders.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

#include "TempTree.h"

using namespace tossbox;
namespace fs = std::filesystem;

namespace {

std::string passwordHome() {
  const passwd* entry = ::getpwuid(::getuid());
  return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "/";
}

// The four variables as they were, put back at the end of a test.
class SavedEnvironment {
 public:
  SavedEnvironment() {
    for (const char* name : kNames) {
      const char* value = std::getenv(name);
      saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
  }
  ~SavedEnvironment() {
    for (const auto& [name, value] : saved_) {
      if (value)
        setenv(name.c_str(), value->c_str(), 1);
      else
        unsetenv(name.c_str());
    }
  }
  SavedEnvironment(const SavedEnvironment&) = delete;
  SavedEnvironment& operator=(const SavedEnvironment&) = delete;

 private:
  static constexpr const char* kNames[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME",
                                           "XDG_RUNTIME_DIR"};
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// Works in `folder` while it lives, so a relative value there names something real.
class InWorkingFolder {
 public:
  explicit InWorkingFolder(const fs::path& folder) : before_(fs::current_path()) {
    fs::current_path(folder);
  }
  ~InWorkingFolder() { fs::current_path(before_); }
  InWorkingFolder(const InWorkingFolder&) = delete;
  InWorkingFolder& operator=(const InWorkingFolder&) = delete;

 private:
  fs::path before_;
};

}  // namespace

TEST(UserFolders, AbsoluteValuesAreTakenWithoutTrailingSlashes) {
  const SavedEnvironment saved;
  const TempTree tree;
  setenv("HOME", (tree.root() + "//").c_str(), 1);
  setenv("XDG_CONFIG_HOME", "/c/", 1);
  setenv("XDG_DATA_HOME", "/d", 1);
  setenv("XDG_RUNTIME_DIR", (tree.root() + "/").c_str(), 1);
  EXPECT_EQ(currentHomeFolder(), tree.root());
  EXPECT_EQ(currentConfigHome("/h"), "/c");
  EXPECT_EQ(currentDataHome("/h"), "/d");
  EXPECT_EQ(currentRuntimeFolder(), tree.root());
}

TEST(UserFolders, RelativeOrEmptyValuesAreIgnored) {
  const SavedEnvironment saved;
  const TempTree tree;
  const InWorkingFolder working(tree.root());
  fs::create_directories("relative");
  for (const char* ignored : {"", "relative", "./relative"}) {
    SCOPED_TRACE(ignored);
    setenv("HOME", ignored, 1);
    setenv("XDG_CONFIG_HOME", ignored, 1);
    setenv("XDG_DATA_HOME", ignored, 1);
    setenv("XDG_RUNTIME_DIR", ignored, 1);
    EXPECT_EQ(currentHomeFolder(), passwordHome());
    EXPECT_EQ(currentConfigHome("/h"), "/h/.config");
    EXPECT_EQ(currentDataHome("/h"), "/h/.local/share");
    EXPECT_EQ(currentRuntimeFolder(), std::nullopt);
  }
  // Under the root the folders below it have a single slash.
  EXPECT_EQ(currentConfigHome("/"), "/.config");
  EXPECT_EQ(currentDataHome("/"), "/.local/share");
  unsetenv("HOME");
  EXPECT_EQ(currentHomeFolder(), passwordHome());
  // A runtime folder that is gone, or a file, is no runtime folder.
  setenv("XDG_RUNTIME_DIR", tree.path("missing").c_str(), 1);
  EXPECT_EQ(currentRuntimeFolder(), std::nullopt);
  setenv("XDG_RUNTIME_DIR", "/dev/null", 1);
  EXPECT_EQ(currentRuntimeFolder(), std::nullopt);
}
