#include "forms/render/RenderMetafile.h"

#include "RenderTestFixture.h"
#include "core/picture/WmfRecords.h"

using namespace tossbox;
using fixtures::colorRef;
using fixtures::Placeable;
using fixtures::WmfBuilder;

namespace {

// 2880 x 1440 twips, 192 x 96 pixels: a red left half with a blue ellipse on
// the right half.
fixtures::ByteVector twoHalves() {
  return WmfBuilder()
      .objects(2)
      .record(wmf::kSetWindowOrg, {0, 0})
      .record(wmf::kSetWindowExt, {1440, 2880})
      .raw(wmf::kCreateBrushIndirect, fixtures::brushParams(0, colorRef(255, 0, 0)))
      .raw(wmf::kCreatePenIndirect, fixtures::penParams(5, 0, 0))
      .record(wmf::kSelectObject, {0})
      .record(wmf::kSelectObject, {1})
      .record(wmf::kRectangle, {1440, 1440, 0, 0})
      .record(wmf::kDeleteObject, {0})
      .raw(wmf::kCreateBrushIndirect, fixtures::brushParams(0, colorRef(0, 0, 255)))
      .record(wmf::kSelectObject, {0})
      .record(wmf::kEllipse, {1440, 2880, 0, 1440})
      .build(Placeable{0, 0, 2880, 1440, 1440});
}

}  // namespace

TEST_F(RenderTest, PlaceableMetafileIsDrawnAtTheFittedSize) {
  const auto bytes = twoHalves();
  const std::string path = file("halves.wmf", bytes);
  ASSERT_TRUE(RenderMetafile(services_, previewArgs(path)));
  EXPECT_EQ(placed(*preview_), QRect(4, 30, 181, 90));
  EXPECT_FALSE(preview_->isHidden());
  const QImage image = rgb(preview_->picture().image());
  ASSERT_EQ(image.size(), QSize(181, 90));
  EXPECT_EQ(image.pixel(40, 45), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(135, 45), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(95, 2), qRgb(255, 255, 255));
  EXPECT_EQ(shown_.kind, 5);
  EXPECT_EQ(shown_.width, 192);
  EXPECT_EQ(shown_.height, 96);
  EXPECT_EQ(shown_.format, "Windowsﾒﾀﾌｧｲﾙ");
  EXPECT_EQ(shown_.fileSize, static_cast<std::int64_t>(bytes.size()));

  // The enlarged viewer draws the records again at its own size.
  ASSERT_TRUE(RenderMetafile(services_, RenderArgs{*other_, path, 0, 768, 1024, 1}));
  EXPECT_EQ(other_->picture().width(), 1024);
  EXPECT_EQ(other_->picture().height(), 512);
  EXPECT_EQ(other_->picture().source(), preview_->picture().source());
  EXPECT_EQ(rgb(other_->picture().image()).pixel(200, 256), qRgb(255, 0, 0));
}

TEST_F(RenderTest, PlainMetafileTakesItsSizeFromTheWindowExtent) {
  const std::string path = file("plain.wmf", WmfBuilder()
                                                 .record(wmf::kSetWindowExt, {50, 100})
                                                 .record(wmf::kRectangle, {40, 90, 10, 10})
                                                 .build());
  ASSERT_TRUE(RenderMetafile(services_, previewArgs(path)));
  EXPECT_EQ(placed(*preview_), QRect(44, 50, 100, 50));
  EXPECT_EQ(shown_.width, 100);
  EXPECT_EQ(shown_.height, 50);
  // The default pen draws the outline black.
  EXPECT_EQ(rgb(preview_->picture().image()).pixel(10, 25), qRgb(0, 0, 0));
}

TEST_F(RenderTest, BadMetafileIsRefusedAndTheTargetShown) {
  ASSERT_TRUE(RenderMetafile(services_, previewArgs(file("good.wmf", twoHalves()))));
  const ShownFileInfo before = shown_;
  preview_->clearPicture();
  auto outside = twoHalves();
  outside[22 + 18] = 0xFF;  // first record far larger than the file
  for (const auto& [name, content] : std::vector<std::pair<std::string, fixtures::ByteVector>>{
           {"outside.wmf", outside},
           {"no size.wmf", WmfBuilder().record(wmf::kLineTo, {1, 1}).build()},
           {"jpeg.wmf", fixtures::makeJpeg(8, 8, fixtures::JpegKind::Baseline)}}) {
    SCOPED_TRACE(name);
    preview_->hide();
    EXPECT_FALSE(RenderMetafile(services_, previewArgs(file(name, content))));
    EXPECT_FALSE(preview_->isHidden());
    EXPECT_TRUE(preview_->picture().isNull());
    EXPECT_EQ(shown_.fileSize, before.fileSize);
  }
}
