#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "TempHome.h"
#include "platform/sorting/DesktopTrash.h"

namespace tossbox {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Runs in `folder` as the current folder, so a trash written relative to it would show.
class InFolder {
 public:
  explicit InFolder(const fs::path& folder) : saved_(fs::current_path()) {
    fs::current_path(folder);
  }
  ~InFolder() { fs::current_path(saved_); }

 private:
  fs::path saved_;
};

TEST(DesktopTrash, MakesTheDataFolderThenTrashesAndRestores) {
  TempHome home;
  fs::remove_all(home.dataHome());  // the case Qt 6.4 gets wrong
  const fs::path work = home.makeDir("work");
  const InFolder here(work);
  const fs::path file = work / "a b.jpg";
  writeFile(file, "keep me");

  DesktopTrash trash;
  const std::optional<std::string> trashed = trash.moveToTrash(file);
  ASSERT_TRUE(trashed);
  EXPECT_TRUE(fs::path(*trashed).is_absolute());
  EXPECT_EQ(fs::path(*trashed).parent_path(), home.dataHome() / "Trash" / "files");
  EXPECT_FALSE(fs::exists(file));
  EXPECT_FALSE(fs::exists(work / "files"));
  const fs::path info =
      home.dataHome() / "Trash" / "info" / (fs::path(*trashed).filename().string() + ".trashinfo");
  EXPECT_TRUE(fs::exists(info));

  writeFile(file, "newcomer");
  EXPECT_FALSE(trash.restoreFromTrash(*trashed, file));  // never over another file
  fs::remove(file);
  EXPECT_TRUE(trash.restoreFromTrash(*trashed, file));
  std::ifstream back(file, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(back), {}), "keep me");
  EXPECT_FALSE(fs::exists(info));
  EXPECT_FALSE(fs::exists(*trashed));
}

TEST(DesktopTrash, RefusesWhatItCannotTrashAndLeavesItInPlace) {
  TempHome home;
  const fs::path work = home.makeDir("work");
  DesktopTrash trash;
  EXPECT_EQ(trash.moveToTrash((work / "missing.jpg").string()), std::nullopt);

  const std::string notUtf8 = (work / "bad\xFF.jpg").string();
  writeFile(notUtf8, "x");
  EXPECT_EQ(trash.moveToTrash(notUtf8), std::nullopt);
  EXPECT_TRUE(fs::exists(notUtf8));

  // No place for a trash at all: the file stays, nothing is deleted for good.
  writeFile(work / "blocker", "");
  setenv("XDG_DATA_HOME", (work / "blocker" / "data").c_str(), 1);
  writeFile(work / "c.jpg", "c");
  EXPECT_EQ(trash.moveToTrash((work / "c.jpg").string()), std::nullopt);
  EXPECT_TRUE(fs::exists(work / "c.jpg"));
}

}  // namespace
}  // namespace tossbox
