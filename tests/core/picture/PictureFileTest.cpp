#include "core/picture/PictureFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "PictureFixtures.h"
#include "TempTree.h"

using namespace tossbox;
namespace fs = std::filesystem;

namespace {

class PictureFileTest : public testing::Test {
 protected:
  [[nodiscard]] std::string path(const std::string& name) const { return tree_.path(name); }
  TempTree tree_;
};

}  // namespace

TEST_F(PictureFileTest, ReadsWholeFilesWithinTheLimit) {
  const fixtures::ByteVector bytes(3000, 7);
  fixtures::writeFile(path("a b.bin"), bytes);
  EXPECT_EQ(readPictureFile(path("a b.bin")), bytes);
  EXPECT_EQ(fileByteCount(path("a b.bin")), 3000);
  EXPECT_FALSE(readPictureFile(path("a b.bin"), 2999));
  EXPECT_FALSE(readPictureFile(path("missing")));
  EXPECT_FALSE(readPictureFile(tree_.root()));
  EXPECT_FALSE(fileByteCount(path("missing")));
  fixtures::writeFile(path("empty"), {});
  EXPECT_EQ(readPictureFile(path("empty")), fixtures::ByteVector{});
}

TEST_F(PictureFileTest, CopyReplacesButNeverTruncatesItsSource) {
  fixtures::writeFile(path("from.jpg"), fixtures::ByteVector(100, 1));
  fixtures::writeFile(path("to.jpg"), fixtures::ByteVector(5000, 2));
  ASSERT_TRUE(copyFileReplacing(path("from.jpg"), path("to.jpg")));
  EXPECT_EQ(readPictureFile(path("to.jpg")), fixtures::ByteVector(100, 1));

  EXPECT_FALSE(copyFileReplacing(path("from.jpg"), path("from.jpg")));
  fs::create_symlink(path("from.jpg"), path("link.jpg"));
  EXPECT_FALSE(copyFileReplacing(path("from.jpg"), path("link.jpg")));
  EXPECT_EQ(fileByteCount(path("from.jpg")), 100);
  EXPECT_FALSE(copyFileReplacing(path("missing"), path("to.jpg")));
}
