#include "core/picture/IconDirectory.h"

#include <gtest/gtest.h>

#include "PictureFixtures.h"

using namespace tossbox;

namespace {

fixtures::ByteVector iconFile(int count, std::uint32_t size, std::uint32_t offset,
                              std::size_t total) {
  fixtures::ByteVector out;
  fixtures::put16(out, 0);
  fixtures::put16(out, 1);
  fixtures::put16(out, count);
  for (int i = 0; i < count; ++i) {
    out.insert(out.end(), {0, 48, 0, 0});
    fixtures::put16(out, 1);
    fixtures::put16(out, 32);
    fixtures::put32(out, size);
    fixtures::put32(out, offset);
  }
  out.resize(std::max(out.size(), total), 0);
  return out;
}

}  // namespace

TEST(IconDirectory, ChecksTheFirstEntry) {
  const auto good = parseIconDirectory(iconFile(2, 100, 38, 138));
  ASSERT_TRUE(good);
  EXPECT_EQ(good->count, 2);
  EXPECT_EQ(good->first.width, 256);  // 0 means 256
  EXPECT_EQ(good->first.height, 48);
  EXPECT_EQ(good->first.offset, 38u);

  EXPECT_FALSE(parseIconDirectory(iconFile(2, 100, 38, 137)));   // image past the end
  EXPECT_FALSE(parseIconDirectory(iconFile(2, 100, 20, 200)));   // image over the directory
  EXPECT_FALSE(parseIconDirectory(iconFile(2, 0, 38, 200)));     // empty image
  EXPECT_FALSE(parseIconDirectory(iconFile(0, 100, 38, 200)));   // no entries
  EXPECT_FALSE(parseIconDirectory(iconFile(4000, 10, 6, 200)));  // entries past the end
  auto cursor = iconFile(1, 10, 22, 40);
  cursor[2] = 2;
  EXPECT_FALSE(parseIconDirectory(cursor));
  EXPECT_FALSE(parseIconDirectory({}));
}
