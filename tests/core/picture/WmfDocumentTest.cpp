#include "core/picture/WmfDocument.h"

#include <gtest/gtest.h>

#include "PictureFixtures.h"
#include "core/picture/WmfRecords.h"

using namespace tossbox;
using fixtures::Placeable;
using fixtures::WmfBuilder;

TEST(WmfDocument, SizeFromThePlaceableBoxAt96Dpi) {
  const auto twips = WmfDocument::parse(WmfBuilder()
                                            .record(wmf::kRectangle, {10, 10, 0, 0})
                                            .build(Placeable{0, 0, 2880, 1440, 1440}));
  ASSERT_TRUE(twips);
  EXPECT_TRUE(twips->placeable());
  EXPECT_EQ(twips->width(), 192);
  EXPECT_EQ(twips->height(), 96);
  EXPECT_EQ(twips->records().size(), 1u);

  // A box given the other way round is just as large.
  const auto reversed = WmfDocument::parse(WmfBuilder().build(Placeable{100, 50, -100, -50, 96}));
  ASSERT_TRUE(reversed);
  EXPECT_EQ(reversed->width(), 200);
  EXPECT_EQ(reversed->height(), 100);

  EXPECT_FALSE(WmfDocument::parse(WmfBuilder().build(Placeable{0, 0, 100, 100, 0})));
  EXPECT_FALSE(WmfDocument::parse(WmfBuilder().build(Placeable{0, 0, 0, 100, 96})));
}

TEST(WmfDocument, PlainMetafileTakesTheFirstWindowExtent) {
  const auto plain = WmfDocument::parse(WmfBuilder()
                                            .record(wmf::kSetWindowOrg, {0, 0})
                                            .record(wmf::kSetWindowExt, {-120, 300})
                                            .record(wmf::kSetWindowExt, {10, 10})
                                            .build());
  ASSERT_TRUE(plain);
  EXPECT_FALSE(plain->placeable());
  EXPECT_EQ(plain->width(), 300);
  EXPECT_EQ(plain->height(), 120);
  // Without any extent there is no size to show it at.
  EXPECT_FALSE(WmfDocument::parse(WmfBuilder().record(wmf::kLineTo, {5, 5}).build()));
}

TEST(WmfDocument, RefusesRecordsOutsideTheFile) {
  const auto good =
      WmfBuilder().record(wmf::kSetWindowExt, {100, 100}).record(0x7777, {1, 2, 3}).build();
  const auto parsed = WmfDocument::parse(good);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->records().size(), 2u);
  EXPECT_EQ(parsed->records()[1].function, 0x7777);
  EXPECT_EQ(parsed->parameters(parsed->records()[1]).size(), 6u);

  // The unknown record claims more words than the file has.
  auto outside = good;
  outside[18 + 10] = 0xFF;
  EXPECT_FALSE(WmfDocument::parse(outside));

  // A record of size 0 would never advance.
  auto zero = good;
  zero[18 + 10] = 0;
  EXPECT_FALSE(WmfDocument::parse(zero));

  // Cut in the middle of a record.
  auto cut = good;
  cut.resize(18 + 10 + 4);
  EXPECT_FALSE(WmfDocument::parse(cut));

  // Missing end record is accepted; bytes after it are ignored.
  EXPECT_TRUE(WmfDocument::parse(
      WmfBuilder().record(wmf::kSetWindowExt, {100, 100}).build(std::nullopt, false)));
  auto trailing = good;
  trailing.insert(trailing.end(), {1, 2, 3});
  EXPECT_TRUE(WmfDocument::parse(trailing));
}

TEST(WmfDocument, RefusesWhatIsNotAMetafile) {
  EXPECT_FALSE(WmfDocument::parse({}));
  EXPECT_FALSE(WmfDocument::parse(fixtures::makeJpeg(8, 8, fixtures::JpegKind::Baseline)));
  auto wrongType = WmfBuilder().record(wmf::kSetWindowExt, {100, 100}).build();
  wrongType[0] = 3;
  EXPECT_FALSE(WmfDocument::parse(wrongType));
  auto wrongHeader = WmfBuilder().record(wmf::kSetWindowExt, {100, 100}).build();
  wrongHeader[2] = 8;
  EXPECT_FALSE(WmfDocument::parse(wrongHeader));
  // Placeable key with nothing after it.
  EXPECT_FALSE(WmfDocument::parse({0xD7, 0xCD, 0xC6, 0x9A, 0, 0}));
}
