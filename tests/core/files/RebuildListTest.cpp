#include "core/files/DisplayedList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/files/ListCollation.h"

namespace tossbox {
namespace {

using ::testing::ElementsAre;

constexpr KindFlags kAllShown = {true, true, true, true, true, true, true, true, true, true, true};

std::vector<std::string> shownTexts(const SortList& list, const DisplayedList& displayed) {
  std::vector<std::string> texts;
  for (const std::size_t number : displayed.entryNumbers) texts.push_back(list.entryText(number));
  return texts;
}

SortList listOf(std::initializer_list<const char*> paths) {
  SortList list;
  for (const char* path : paths) EXPECT_TRUE(list.add(path));
  return list;
}

TEST(RebuildList, FilterAndCountsOverAllEntries) {
  const SortList list =
      listOf({"/a/1.jpg", "/a/2.JPEG", "/a/3.gif", "/a/4.doc", "/a/5.xyz", "/a/6.jpg", "/a/7.ini"});
  const DisplayedList all = RebuildList(list, kAllShown, false);
  EXPECT_THAT(all.entryNumbers, ElementsAre(0, 1, 2, 3, 5, 6));  // no kind: never shown
  EXPECT_EQ(all.counts[kindIndex(FileKind::Jpeg)], 3u);
  EXPECT_EQ(all.counts[kindIndex(FileKind::Document)], 1u);

  KindFlags onlyGifAndIni{};
  onlyGifAndIni[kindIndex(FileKind::Gif)] = true;
  onlyGifAndIni[kindIndex(FileKind::Ini)] = true;
  EXPECT_THAT(RebuildList(list, onlyGifAndIni, false).entryNumbers, ElementsAre(2, 6));

  const DisplayedList none = RebuildList(list, KindFlags{}, true);
  EXPECT_TRUE(none.entryNumbers.empty());
  EXPECT_EQ(none.counts, all.counts);
  EXPECT_EQ(none.counts[kindIndex(FileKind::Gif)], 1u);
  EXPECT_EQ(none.counts[kindIndex(FileKind::Bitmap)], 0u);
}

TEST(RebuildList, AscendingIgnoresCaseAndOrdersEqualNamesByNumber) {
  const SortList list = listOf({"/x/b.jpg", "/x/A.jpg", "/y/b.jpg", "/x/a.jpg", "/x/a b.jpg",
                                "/x/_.jpg", "/x/B.jpg", "/x/ab.jpg", "/x/10.jpg", "/x/9.jpg"});
  EXPECT_THAT(
      shownTexts(list, RebuildList(list, kAllShown, true)),
      ElementsAre("10.jpg\t000000008", "9.jpg\t000000009", "_.jpg\t000000005", "a b.jpg\t000000004",
                  "A.jpg\t000000001", "a.jpg\t000000003", "ab.jpg\t000000007", "b.jpg\t000000000",
                  "b.jpg\t000000002", "B.jpg\t000000006"));
  EXPECT_THAT(RebuildList(list, kAllShown, false).entryNumbers,
              ElementsAre(0, 1, 2, 3, 4, 5, 6, 7, 8, 9));
}

TEST(ListCollation, JapaneseAndOtherScripts) {
  // Hiragana, katakana and half-width katakana of one syllable sort together, in syllabary
  // order; a voiced half-width or decomposed kana sorts with its composed letter.
  EXPECT_EQ(collationKey("ｶﾞ"), collationKey("ガ"));
  EXPECT_EQ(collationKey("か\xE3\x82\x99"), collationKey("が"));
  EXPECT_EQ(collationKey("ﾊﾟﾝ"), collationKey("パン"));
  EXPECT_EQ(collationKey("ｳﾞ"), collationKey("ヴ"));
  EXPECT_TRUE(listOrderLess("あめ\t000000005", "アメ\t000000006"));
  EXPECT_TRUE(listOrderLess("アメ\t000000004", "あめ\t000000005"));
  EXPECT_TRUE(listOrderLess("あめ", "かさ"));
  EXPECT_TRUE(listOrderLess("ｱﾒ", "かさ"));
  EXPECT_TRUE(listOrderLess("かさ", "がっこう"));
  // Full-width Latin letters and digits sort with ASCII; kana before kanji.
  EXPECT_EQ(collationKey("ＡＢＣ１"), collationKey("abc1"));
  EXPECT_TRUE(listOrderLess("z", "あ"));
  EXPECT_TRUE(listOrderLess("ン", "日本"));
  EXPECT_EQ(collationKey("ÉCOLE Ωmega ЖУК"), collationKey("école ωmega жук"));
  // Bytes that are not UTF-8 keep a fixed place and never equal a character.
  EXPECT_NE(collationKey("caf\xE9"), collationKey("caf\xC3\xA9"));
  EXPECT_TRUE(listOrderLess("caf\xE9", "caf\xFF"));
}

}  // namespace
}  // namespace tossbox
