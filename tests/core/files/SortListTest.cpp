#include "core/files/SortList.h"

#include <gtest/gtest.h>

namespace tossbox {
namespace {

TEST(SortList, EntryTextsAndNumbersInStep) {
  SortList list;
  for (int i = 0; i < 12; ++i) ASSERT_TRUE(list.add("/p/f" + std::to_string(i) + ".gif"));
  const std::optional<std::size_t> thirteenth = list.add("/p/dir with space/Photo.JPG");
  ASSERT_EQ(thirteenth, 12u);
  EXPECT_EQ(list.entryText(12), "Photo.JPG\t000000012");
  EXPECT_EQ(list.path(12), "/p/dir with space/Photo.JPG");
  EXPECT_EQ(list.kind(12), FileKind::Jpeg);
  EXPECT_EQ(list.paths().size(), list.entries().size());

  // The same path twice: two entries, same name, different numbers.
  ASSERT_EQ(list.add("/p/f0.gif"), 13u);
  EXPECT_EQ(list.entryText(13), "f0.gif\t000000013");
  EXPECT_EQ(*list.pathOfEntry(list.entryText(13)), "/p/f0.gif");

  list.clear();
  EXPECT_TRUE(list.empty());
  EXPECT_TRUE(list.entries().empty());
  EXPECT_EQ(list.add("/q/again.bmp"), 0u);
  EXPECT_EQ(list.entryText(0), "again.bmp\t000000000");
}

TEST(SortList, ReadingEntryTextsBack) {
  EXPECT_EQ(entryNumberOf("a.jpg\t000000012"), 12u);
  EXPECT_EQ(entryNumberOf(makeEntryText("b.jpg", 999'999'999)), 999'999'999u);
  EXPECT_EQ(entryNumberOf("12345678"), std::nullopt);
  EXPECT_EQ(entryNumberOf("a.jpg\t00000001x"), std::nullopt);

  // A Linux name may hold a TAB; the name is everything before the number's TAB.
  const std::string tabbed = makeEntryText("a\tb.jpg", 3);
  EXPECT_EQ(entryNameOf(tabbed), "a\tb.jpg");
  EXPECT_EQ(entryNumberOf(tabbed), 3u);

  SortList list;
  ASSERT_TRUE(list.add("/x/a\tb.jpg"));
  EXPECT_EQ(list.kind(0), FileKind::Jpeg);
  EXPECT_EQ(list.pathOfEntry("a.jpg\t000000001"), nullptr);  // not held
  EXPECT_EQ(list.pathOfEntry("garbage"), nullptr);
}

}  // namespace
}  // namespace tossbox
