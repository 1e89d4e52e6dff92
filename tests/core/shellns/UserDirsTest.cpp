#include "core/shellns/UserDirs.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TempTree.h"

namespace tossbox {
namespace {

TEST(UserDirs, DesktopDirFromUserDirsText) {
  const std::string home = "/home/u";
  EXPECT_EQ(desktopDirFromUserDirs("XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", home), "/home/u/Desktop");
  EXPECT_EQ(desktopDirFromUserDirs("# comment\n  XDG_DESKTOP_DIR=\"/data/desk/\"", home),
            "/data/desk");
  // xdg-user-dirs sets a folder to $HOME itself to switch it off.
  EXPECT_EQ(desktopDirFromUserDirs("XDG_DESKTOP_DIR=\"$HOME/\"\n", home), "/home/u");
  EXPECT_EQ(desktopDirFromUserDirs("XDG_DESKTOP_DIR=\"$HOME/My \\\"Desk\\\"\"", home),
            "/home/u/My \"Desk\"");
  EXPECT_EQ(desktopDirFromUserDirs("XDG_DESKTOP_DIR=\"$HOME/デスクトップ\"", home),
            "/home/u/デスクトップ");
  EXPECT_EQ(desktopDirFromUserDirs("XDG_DESKTOP_DIR=\"$HOME/Old\"\nXDG_MUSIC_DIR=\"$HOME/Music\"\n"
                                   "XDG_DESKTOP_DIR=\"$HOME/New\"\n",
                                   home),
            "/home/u/New");
  // Neither home-relative nor absolute, unterminated, or another key: no desktop.
  EXPECT_EQ(desktopDirFromUserDirs("XDG_DESKTOP_DIR=\"Desktop\"", home), "");
  EXPECT_EQ(desktopDirFromUserDirs("XDG_DESKTOP_DIR=\"$HOMEX/Desktop\"", home), "");
  EXPECT_EQ(desktopDirFromUserDirs("XDG_DESKTOP_DIR=\"$HOME/Desk", home), "");
  EXPECT_EQ(desktopDirFromUserDirs("XDG_DESKTOP_DIRS=\"/x\"\nXDG_MUSIC_DIR=\"/m\"", home), "");
}

TEST(UserDirs, DesktopFolderFallsBackToHome) {
  const TempTree tree;
  const std::string home = tree.folder("home");
  const std::string config = tree.folder("config");
  EXPECT_EQ(desktopFolderOf(home, config), home);  // no user-dirs file

  std::ofstream(config + "/user-dirs.dirs") << "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n";
  EXPECT_EQ(desktopFolderOf(home, config), home);  // named but missing

  const std::string desktop = tree.folder("home/Desktop");
  EXPECT_EQ(desktopFolderOf(home, config), desktop);
}

}  // namespace
}  // namespace tossbox
