#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

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

  // No place for a trash at all: the file stays, nothing is deleted for good.
  writeFile(work / "blocker", "");
  setenv("XDG_DATA_HOME", (work / "blocker" / "data").c_str(), 1);
  writeFile(work / "c.jpg", "c");
  EXPECT_EQ(trash.moveToTrash((work / "c.jpg").string()), std::nullopt);
  EXPECT_TRUE(fs::exists(work / "c.jpg"));
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string pathLineOf(const fs::path& info) {
  std::ifstream in(info, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("Path=", 0) == 0) return line;
  }
  return {};
}

TEST(DesktopTrash, OddNamesGoIntoTheTrashWithTheirPathEscaped) {
  TempHome home;
  const fs::path work = home.makeDir("work");
  const fs::path files = home.dataHome() / "Trash" / "files";
  const fs::path infos = home.dataHome() / "Trash" / "info";
  DesktopTrash trash;
  struct Case {
    std::string name;
    std::string escaped;
  };
  const std::vector<Case> cases = {{"50%\noff.jpg", "50%25%0Aoff.jpg"},
                                   {"bad\xFF.jpg", "bad%FF.jpg"},
                                   {"\xE5\x86\x99 a.jpg", "%E5%86%99%20a.jpg"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.escaped);
    const fs::path file = work / c.name;
    writeFile(file, c.escaped);
    const std::optional<std::string> trashed = trash.moveToTrash(file.string());
    ASSERT_TRUE(trashed);
    EXPECT_EQ(fs::path(*trashed), files / c.name);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(readFile(*trashed), c.escaped);
    const fs::path info = infos / (c.name + ".trashinfo");
    EXPECT_EQ(pathLineOf(info), "Path=" + work.string() + "/" + c.escaped);
    EXPECT_TRUE(trash.restoreFromTrash(*trashed, file.string()));
    EXPECT_EQ(readFile(file), c.escaped);
    EXPECT_FALSE(fs::exists(info));
  }

  // A second file of the same name gets another name in the trash, and is found under it.
  writeFile(work / "twice.jpg", "first");
  const std::optional<std::string> first = trash.moveToTrash((work / "twice.jpg").string());
  writeFile(work / "twice.jpg", "second");
  const std::optional<std::string> second = trash.moveToTrash((work / "twice.jpg").string());
  ASSERT_TRUE(first && second);
  EXPECT_NE(*first, *second);
  EXPECT_EQ(readFile(*first), "first");
  EXPECT_EQ(readFile(*second), "second");
  EXPECT_EQ(fs::path(*second).parent_path(), files);

  // A link goes itself, not what it points to.
  fs::create_symlink(work / "nowhere", work / "dangling");
  const std::optional<std::string> link = trash.moveToTrash((work / "dangling").string());
  ASSERT_TRUE(link);
  EXPECT_TRUE(fs::is_symlink(*link));
}

TEST(DesktopTrash, NamesTooLongForTheInfoFileAreRefusedAtOnce) {
  TempHome home;
  const fs::path work = home.makeDir("work");
  DesktopTrash trash;
  for (const std::size_t length : {246u, 250u, 255u}) {
    SCOPED_TRACE(length);
    const fs::path file = work / (std::string(length - 4, 'n') + ".jpg");
    writeFile(file, "stays");
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(trash.moveToTrash(file.string()), std::nullopt);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
    EXPECT_EQ(readFile(file), "stays");
  }
  EXPECT_TRUE(fs::is_empty(home.dataHome() / "Trash" / "files"));
  EXPECT_TRUE(fs::is_empty(home.dataHome() / "Trash" / "info"));

  // 245 bytes still fit: the info file's name is then 255 bytes.
  const fs::path fits = work / (std::string(241, 'f') + ".jpg");
  writeFile(fits, "goes");
  EXPECT_TRUE(trash.moveToTrash(fits.string()));
}

TEST(DesktopTrash, AFolderOrAnUnsettledDataFolderIsNeverTrashed) {
  TempHome home;
  const fs::path work = home.makeDir("work");
  const InFolder here(work);
  DesktopTrash trash;
  fs::create_directories(work / "album" / "inside");
  EXPECT_EQ(trash.moveToTrash((work / "album").string()), std::nullopt);
  EXPECT_TRUE(fs::exists(work / "album" / "inside"));

  // Once GLib has read the data folder it keeps it: a changed one is not silently ignored.
  writeFile(work / "first.jpg", "1");
  ASSERT_TRUE(trash.moveToTrash((work / "first.jpg").string()));
  writeFile(work / "d.jpg", "d");
  setenv("XDG_DATA_HOME", (work / "other data").c_str(), 1);
  EXPECT_EQ(trash.moveToTrash((work / "d.jpg").string()), std::nullopt);
  EXPECT_TRUE(fs::exists(work / "d.jpg"));
  EXPECT_FALSE(fs::exists(work / "other data"));
  EXPECT_EQ(std::distance(fs::directory_iterator(home.dataHome() / "Trash" / "files"), {}), 1);

  // A relative data folder would put the trash under the working folder.
  setenv("XDG_DATA_HOME", "relative/data", 1);
  EXPECT_EQ(trash.moveToTrash((work / "d.jpg").string()), std::nullopt);
  EXPECT_TRUE(fs::exists(work / "d.jpg"));
  EXPECT_FALSE(fs::exists(work / "relative"));
  EXPECT_FALSE(fs::exists(work / "files"));
}

}  // namespace
}  // namespace tossbox
