#include <gtest/gtest.h>

#include <vector>

#include "platform/sorting/DesktopOpener.h"

namespace tossbox {
namespace {

TEST(SortingOpener, PathsBecomeFileUrlsByteForByte) {
  std::vector<QByteArray> opened;
  DesktopOpener opener([&](const QUrl& url) {
    opened.push_back(url.toEncoded());
    return true;
  });
  EXPECT_TRUE(opener.openFolder("/srv/my photos"));
  EXPECT_TRUE(opener.openFile("/srv/\xC3\xBC\xFF; rm -rf ~.jpg"));
  EXPECT_TRUE(opener.openTrash());
  ASSERT_EQ(opened.size(), 3u);
  EXPECT_EQ(opened[0], "file:///srv/my%20photos");
  EXPECT_EQ(opened[1], "file:///srv/%C3%BC%FF%3B%20rm%20-rf%20~.jpg");
  EXPECT_EQ(opened[2], "trash:///");
  EXPECT_TRUE(DesktopOpener::fileUrl("/a b").isLocalFile());
}

}  // namespace
}  // namespace tossbox
