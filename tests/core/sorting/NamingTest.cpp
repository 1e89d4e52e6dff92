#include <gtest/gtest.h>

#include <vector>

#include "SortingFixtures.h"
#include "core/sorting/ConflictLabels.h"
#include "core/sorting/FolderSettingsRules.h"
#include "core/sorting/SortPaths.h"
#include "core/sorting/SortToFolder.h"
#include "core/sorting/TargetName.h"

namespace tossbox {
namespace {

FolderTarget serialButton(std::string prefix, std::string number) {
  FolderTarget button;
  button.FolderPath = "/srv/Pets";
  button.SerialRename = 1;
  button.SerialPrefix = std::move(prefix);
  button.SerialNumber = std::move(number);
  button.SameNamePolicy = 1;
  return button;
}

TEST(TargetName, SerialRenamingKeepsTheExtensionAndAdvancesTheNumber) {
  FolderTarget button = serialButton("img", "009");
  EXPECT_EQ(TargetName(button, "/srv/Pets/photo.JPG"), "/srv/Pets/img009.JPG");
  EXPECT_EQ(button.SerialNumber, "010");
  EXPECT_EQ(TargetName(button, "/srv/Pets/README"), "/srv/Pets/img010");
  EXPECT_EQ(button.SerialNumber, "011");

  button = serialButton("", "99");
  EXPECT_EQ(TargetName(button, "/srv/Pets/a.tar.gz"), "/srv/Pets/99.gz");
  EXPECT_EQ(button.SerialNumber, "100");

  button = serialButton("x", "7");
  EXPECT_EQ(TargetName(button, "/a.jpg"), "/x7.jpg");
  EXPECT_EQ(button.SerialNumber, "8");

  EXPECT_EQ(advancedSerialNumber("0099"), "0100");
  EXPECT_EQ(advancedSerialNumber("099"), "100");
  EXPECT_EQ(advancedSerialNumber("999"), "1000");
}

TEST(TargetName, WithoutSerialRenamingAndWithBadNumbersNothingChanges) {
  FolderTarget plain = serialButton("img", "009");
  plain.SerialRename = 0;
  EXPECT_EQ(TargetName(plain, "/srv/Pets/cat.jpg"), "/srv/Pets/cat.jpg");
  EXPECT_EQ(plain.SerialNumber, "009");

  for (const std::string& bad :
       std::vector<std::string>{"00a", "", "-1", " 1", "+2", std::string(255, '9')}) {
    FolderTarget button = serialButton("img", bad);
    EXPECT_EQ(TargetName(button, "/srv/Pets/cat.jpg"), std::nullopt) << bad;
    EXPECT_EQ(button.SerialNumber, bad);
  }
  FolderTarget escaping = serialButton("../x", "1");
  EXPECT_EQ(TargetName(escaping, "/srv/Pets/cat.jpg"), std::nullopt);
  EXPECT_EQ(escaping.SerialNumber, "1");
  EXPECT_TRUE(isSerialNumber(std::string(255, '1')));
  EXPECT_FALSE(isSerialNumber(std::string(256, '1')));
}

TEST(FolderSettingsRules, ApplyRefusesTheRootAndBadSerialsAndFocusesWhatIsMissing) {
  EXPECT_EQ(trimBlanks(" \t/srv/Photos \n"), "/srv/Photos");
  EXPECT_EQ(folderRefusal(trimBlanks("  /  ")), ApplyRefusal::RootFolder);
  EXPECT_EQ(folderRefusal("//"), ApplyRefusal::RootFolder);
  EXPECT_EQ(folderRefusal("/srv/.."), ApplyRefusal::RootFolder);
  EXPECT_EQ(folderRefusal("/srv/."), ApplyRefusal::None);
  EXPECT_EQ(folderRefusal("/srv"), ApplyRefusal::None);
  EXPECT_EQ(folderRefusal(""), ApplyRefusal::None);  // an empty folder unsets the button

  EXPECT_EQ(serialRefusal(true, "00a"), ApplyRefusal::SerialNumber);
  EXPECT_EQ(serialRefusal(true, ""), ApplyRefusal::SerialNumber);
  EXPECT_EQ(serialRefusal(false, "00a"), ApplyRefusal::None);
  EXPECT_EQ(serialRefusal(true, "1"), ApplyRefusal::None);

  FolderTarget stored = serialButton("", "1");
  EXPECT_EQ(afterApply(stored), AfterApply::FocusPrefix);
  stored.SerialPrefix = "img";
  EXPECT_EQ(afterApply(stored), AfterApply::Close);
  stored.SerialNumber.clear();
  EXPECT_EQ(afterApply(stored), AfterApply::FocusSerial);
  stored.SerialRename = 0;
  EXPECT_EQ(afterApply(stored), AfterApply::Close);
}

TEST(FolderSettingsRules, TypedFoldersStartAtHomeOrTheRootAndKeepTheirOwnName) {
  EXPECT_EQ(typedFolderPath("~", "/home/u"), "/home/u");
  EXPECT_EQ(typedFolderPath("~/", "/home/u/"), "/home/u");
  EXPECT_EQ(typedFolderPath("~/Pictures/2001/", "/home/u"), "/home/u/Pictures/2001");
  EXPECT_EQ(typedFolderPath("/srv/Photos//", "/home/u"), "/srv/Photos");
  EXPECT_EQ(typedFolderPath("/", "/home/u"), "/");
  EXPECT_EQ(typedFolderPath("//", "/home/u"), "/");
  EXPECT_EQ(typedFolderPath("", "/home/u"), "");
  EXPECT_EQ(typedFolderPath("~", "/"), "/");  // the root, refused by the next check
  EXPECT_EQ(folderRefusal(*typedFolderPath("~", "/")), ApplyRefusal::RootFolder);
  for (const char* relative : {"Photos", "./Photos", "../Photos", "~other", "~other/x", "a/~/b"})
    EXPECT_EQ(typedFolderPath(relative, "/home/u"), std::nullopt) << relative;
  EXPECT_EQ(typedFolderPath("~/x", ""), std::nullopt);
  EXPECT_EQ(typedFolderPath("~/x", "relative/home"), std::nullopt);

  EXPECT_EQ(prefixRefusal(true, "../x"), ApplyRefusal::SerialPrefix);
  EXPECT_EQ(prefixRefusal(true, "a/b"), ApplyRefusal::SerialPrefix);
  EXPECT_EQ(prefixRefusal(true, "..x"), ApplyRefusal::None);
  EXPECT_EQ(prefixRefusal(true, ""), ApplyRefusal::None);
  EXPECT_EQ(prefixRefusal(false, "../x"), ApplyRefusal::None);  // not used without renaming
}

TEST(SortPaths, ButtonTargetsAndNamePieces) {
  EXPECT_EQ(buttonTargetPath("/srv/Pets", "/in/cat.jpg"), "/srv/Pets/cat.jpg");
  EXPECT_EQ(buttonTargetPath("/srv/Pets//", "/in/cat.jpg"), "/srv/Pets/cat.jpg");
  EXPECT_EQ(buttonTargetPath("/", "/in/cat.jpg"), "/cat.jpg");
  EXPECT_EQ(extensionKeptOf("/a.b/README"), "");
  EXPECT_EQ(stemOf("/a.b/photo.JPG"), "photo");
}

TEST(NameWithS, AppendsUntilFreeWithoutLimitAndFallsBackToError) {
  TempTree folder;
  testing::writeFile(folder.path("a.jpg"), "1");
  EXPECT_EQ(nameWithS(folder.path("a.jpg")), folder.path("aS.jpg"));
  testing::writeFile(folder.path("aS.jpg"), "2");
  std::filesystem::create_directory(folder.path("aSS.jpg"));  // a folder takes the name too
  EXPECT_EQ(nameWithS(folder.path("a.jpg")), folder.path("aSSS.jpg"));
  EXPECT_EQ(nameWithS(folder.path("README")), folder.path("READMES"));

  const std::string longStem(251, 'n');
  testing::writeFile(folder.path(longStem + ".jpg"), "3");
  EXPECT_EQ(nameWithS(folder.path(longStem + ".jpg")), folder.path("Error.jpg"));
  testing::writeFile(folder.path("Error.jpg"), "4");
  EXPECT_EQ(nameWithS(folder.path(longStem + ".jpg")), folder.path("ErrorS.jpg"));
}

TEST(ConflictLabels, SizeAndDateLines) {
  EXPECT_EQ(conflictSizeText(0), "ｻｲｽﾞ ：0ﾊﾞｲﾄ");
  EXPECT_EQ(conflictSizeText(999), "ｻｲｽﾞ ：999ﾊﾞｲﾄ");
  EXPECT_EQ(conflictSizeText(1234567890), "ｻｲｽﾞ ：1,234,567,890ﾊﾞｲﾄ");
  EXPECT_EQ(sourceNameText("/in/cat.jpg"), "元名前：cat.jpg");
  EXPECT_EQ(targetNameText("/Pets/cat.jpg"), "先名前：cat.jpg");

  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 11;
  t.tm_mday = 7;
  t.tm_hour = 0;
  t.tm_min = 5;
  t.tm_sec = 9;
  EXPECT_EQ(conflictDateText(t), "作成日：2026/12/07\n       am 12:05:09");
  t.tm_hour = 12;
  EXPECT_EQ(conflictDateText(t), "作成日：2026/12/07\n       pm 12:05:09");
  t.tm_hour = 15;
  EXPECT_EQ(conflictDateText(t), "作成日：2026/12/07\n       pm 3:05:09");
  EXPECT_EQ(conflictDateText(std::nullopt), "作成日：不明");
  EXPECT_EQ(lastWriteTime("/nonexistent/tossbox"), std::nullopt);
}

}  // namespace
}  // namespace tossbox
