// Arguments from a shell and from the desktop's menu entry (file:// URLs).
#include "core/files/CommandLinePath.h"

#include <gtest/gtest.h>

using namespace tossbox;

TEST(CommandLinePath, FileUrlsBecomeTheirPathsByteForByte) {
  EXPECT_EQ(pathOfArgument("file:///home/user/a.jpg"), "/home/user/a.jpg");
  EXPECT_EQ(pathOfArgument("file://localhost/home/user/a.jpg"), "/home/user/a.jpg");
  EXPECT_EQ(pathOfArgument("FILE://LocalHost/x"), "/x");
  // Spaces, Japanese names in UTF-8 and bytes that are no UTF-8 at all (a Shift-JIS name).
  EXPECT_EQ(pathOfArgument("file:///home/user/%E5%86%99%E7%9C%9F%20%E3%81%AE%E6%95%B4%E7%90%86"),
            "/home/user/写真 の整理");
  EXPECT_EQ(pathOfArgument("file:///tmp/%83%5C%82%a0.jpg"), "/tmp/\x83\x5C\x82\xa0.jpg");
  EXPECT_EQ(pathOfArgument("file:///tmp/100%25%23%3F.txt"), "/tmp/100%#?.txt");
  EXPECT_EQ(pathOfArgument("file:///"), "/");
  EXPECT_EQ(pathOfArgument("file:///tmp/a.jpg#part"), "/tmp/a.jpg");
}

TEST(CommandLinePath, EverythingElseStaysAsGiven) {
  for (const char* argument :
       {"/home/user/a.jpg", "relative/file%20name.jpg", "", "file:", "file:/tmp/a.jpg", "file://",
        "file://otherhost/tmp/a.jpg", "file://localhost.example/tmp/a.jpg", "sftp://host/tmp/a.jpg",
        "file:///tmp/bad%2", "file:///tmp/bad%", "file:///tmp/%zz", "file:///tmp/nul%00.jpg"})
    EXPECT_EQ(pathOfArgument(argument), argument) << argument;
}
