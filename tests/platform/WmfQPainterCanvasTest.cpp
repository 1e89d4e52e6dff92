#include <gtest/gtest.h>

#include "../core/picture/PictureFixtures.h"
#include "core/picture/WmfRecords.h"
#include "platform/picture/FontCharset.h"
#include "platform/picture/MetafileImage.h"

using namespace tossbox;
using fixtures::colorRef;
using fixtures::WmfBuilder;

namespace {

// A 100 x 100 metafile drawn at 100 x 100 pixels.
QImage draw(WmfBuilder builder) {
  const auto document = WmfDocument::parse(
      builder.record(wmf::kEscape, {0, 0}).build(fixtures::Placeable{0, 0, 100, 100, 96}));
  EXPECT_TRUE(document);
  return document ? drawMetafile(*document, QSize(100, 100)) : QImage();
}

std::vector<int> box(int left, int top, int right, int bottom) {
  return {bottom, right, top, left};
}

WmfBuilder& solidBrush(WmfBuilder& b, int slot, std::uint32_t colour) {
  return b.raw(wmf::kCreateBrushIndirect, fixtures::brushParams(0, colour))
      .record(wmf::kSelectObject, {slot});
}

fixtures::ByteVector twoByTwoDib() {
  fixtures::BmpLayout layout;
  layout.width = 2;
  layout.height = 2;
  layout.bits = 24;
  // Top row red, green; bottom row blue, white.
  layout.value = [](int x, int y) -> std::uint32_t {
    if (y == 0) return x == 0 ? 0xFF0000 : 0x00FF00;
    return x == 0 ? 0x0000FF : 0xFFFFFF;
  };
  return fixtures::packedDib(fixtures::makeBmp(layout));
}

fixtures::ByteVector stretchParams(std::uint32_t rop, int x, int y, int w, int h,
                                   const fixtures::ByteVector& dib, int usage = 0) {
  fixtures::ByteVector p;
  fixtures::put32(p, rop);
  for (const int v : {usage, 2, 2, 0, 0, h, w, y, x}) fixtures::put16(p, v);
  p.insert(p.end(), dib.begin(), dib.end());
  return p;
}

}  // namespace

TEST(WmfQPainterCanvas, ShapesBrushesAndModes) {
  WmfBuilder b;
  b.objects(4);
  solidBrush(b, 0, colorRef(255, 0, 0));
  b.raw(wmf::kCreatePenIndirect, fixtures::penParams(5, 0, 0)).record(wmf::kSelectObject, {1});
  b.record(wmf::kRectangle, box(0, 0, 50, 50));
  // Hatched brush over an opaque yellow background.
  b.record(wmf::kDeleteObject, {0})
      .raw(wmf::kCreateBrushIndirect, fixtures::brushParams(2, colorRef(0, 0, 0), 0))
      .record(wmf::kSelectObject, {0})
      .record(wmf::kSetBkColor, {0xFFFF, 0x0000})
      .record(wmf::kRectangle, box(50, 0, 100, 50));
  // A thick green line and a blue ellipse.
  b.raw(wmf::kCreatePenIndirect, fixtures::penParams(0, 6, colorRef(0, 160, 0)))
      .record(wmf::kSelectObject, {2})
      .record(wmf::kMoveTo, {0, 75})  // y, x
      .record(wmf::kLineTo, {50, 75});
  b.record(wmf::kSelectObject, {1});
  b.record(wmf::kDeleteObject, {0});
  solidBrush(b, 0, colorRef(0, 0, 255));
  b.record(wmf::kEllipse, box(60, 60, 90, 90));
  // R2_NOT inverts what lies under the rectangle.
  b.record(wmf::kSetRop2, {wmf::kR2Not}).record(wmf::kRectangle, box(0, 40, 20, 50));
  const QImage image = draw(b);
  ASSERT_EQ(image.size(), QSize(100, 100));
  EXPECT_EQ(image.pixel(25, 20), qRgb(255, 0, 0));
  // Horizontal hatch: black lines every 8 rows, yellow between them.
  int black = 0, yellow = 0;
  for (int y = 0; y < 40; ++y) {
    const QRgb p = image.pixel(60, y);
    black += p == qRgb(0, 0, 0);
    yellow += p == qRgb(255, 255, 0);
  }
  EXPECT_GE(black, 4);
  EXPECT_GE(yellow, 25);
  EXPECT_EQ(image.pixel(10, 70), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(75, 75), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(61, 61), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(77, 25), qRgb(0, 160, 0));
  EXPECT_NE(image.pixel(80, 25), qRgb(0, 160, 0));
  EXPECT_EQ(image.pixel(10, 45), qRgb(0, 255, 255));  // inverted red
}

TEST(WmfQPainterCanvas, TextInItsColourFontAndPlace) {
  fixtures::ByteVector ext;
  for (const int v : std::vector<int>{10, 10, 4, wmf::kEtoOpaque, 0, 0, 100, 40})
    fixtures::put16(ext, v);
  ext.insert(ext.end(), {'W', 'W', 'W', 'W'});
  fixtures::ByteVector japanese;
  for (const int v : {60, 10, 4, 0}) fixtures::put16(japanese, v);
  japanese.insert(japanese.end(), {0x93, 0xFA, 0x96, 0x7B});  // CP932 for 日本
  WmfBuilder b;
  b.objects(2)
      .raw(wmf::kCreateFontIndirect, fixtures::fontParams(-24, "Arial", 0))
      .record(wmf::kSelectObject, {0})
      .record(wmf::kSetTextColor, {0x00FF, 0})
      .record(wmf::kSetBkColor, {0, 0x00FF})
      .raw(wmf::kExtTextOut, ext)
      .raw(wmf::kCreateFontIndirect, fixtures::fontParams(-24, "IPAGothic", 128))
      .record(wmf::kSelectObject, {1})
      .record(wmf::kSetTextColor, {0, 0})
      .record(wmf::kSetBkMode, {wmf::kTransparent})
      .raw(wmf::kExtTextOut, japanese);
  const QImage image = draw(b);
  // The opaque rectangle is filled with the background colour, the text red on it.
  EXPECT_EQ(image.pixel(95, 2), qRgb(0, 0, 255));
  int red = 0;
  for (int y = 10; y < 34; ++y) {
    for (int x = 10; x < 90; ++x)
      red += qRed(image.pixel(x, y)) > 200 && qBlue(image.pixel(x, y)) < 60;
  }
  EXPECT_GT(red, 50);
  int dark = 0;
  for (int y = 60; y < 90; ++y) {
    for (int x = 10; x < 70; ++x) dark += qGray(image.pixel(x, y)) < 100;
  }
  EXPECT_GT(dark, 30);
  EXPECT_EQ(image.pixel(95, 95), qRgb(255, 255, 255));

  EXPECT_EQ(decodeFontText("\x93\xFA\x96\x7B", 128), QStringLiteral("日本"));
  EXPECT_EQ(decodeFontText("\x93\xFA", 1), QStringLiteral("日"));
  EXPECT_EQ(decodeFontText("\x80x", 0), QStringLiteral("€x"));
  // Bytes that are not CP932 still show, as Latin-1.
  EXPECT_EQ(decodeFontText("\x81", 128), QString(QChar(0x81)));
  const auto split = splitFontCharacters(
      "a\x93\xFA"
      "b",
      128);
  ASSERT_EQ(split.size(), 3u);
  EXPECT_EQ(split[1], "\x93\xFA");
  EXPECT_EQ(splitFontCharacters("a\x93\xFA", 0).size(), 3u);
}

TEST(WmfQPainterCanvas, BitmapTransfersAndRasterOperations) {
  const auto dib = twoByTwoDib();
  fixtures::ByteVector mask;
  {
    fixtures::BmpLayout layout;
    layout.width = 2;
    layout.height = 2;
    layout.bits = 1;
    layout.palette = {{0, 0, 0}, {255, 255, 255}};
    layout.value = [](int x, int) { return static_cast<std::uint32_t>(x); };  // black, white
    mask = fixtures::packedDib(fixtures::makeBmp(layout));
  }
  WmfBuilder b;
  b.raw(wmf::kStretchDib, stretchParams(wmf::kSrcCopy, 0, 0, 40, 40, dib))
      // Mirrored: a negative width swaps left and right.
      .raw(wmf::kStretchDib, stretchParams(wmf::kSrcCopy, 100, 0, -40, 40, dib))
      // Masked transfer onto white: AND leaves the black half, OR paints the picture.
      .raw(wmf::kStretchDib, stretchParams(wmf::kSrcAnd, 0, 50, 40, 40, mask))
      .raw(wmf::kStretchDib, stretchParams(wmf::kSrcPaint, 0, 50, 40, 40, dib))
      .raw(wmf::kStretchDib, stretchParams(wmf::kDstInvert, 60, 50, 20, 20, dib));
  const QImage image = draw(b);
  EXPECT_EQ(image.pixel(10, 10), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(30, 10), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(10, 30), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(30, 30), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(70, 10), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(90, 10), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(10, 60), qRgb(255, 0, 0));      // black mask, then OR red
  EXPECT_EQ(image.pixel(30, 60), qRgb(255, 255, 255));  // white mask stays white
  EXPECT_EQ(image.pixel(70, 60), qRgb(0, 0, 0));        // inverted white
  EXPECT_EQ(image.pixel(90, 60), qRgb(255, 255, 255));
}

TEST(WmfQPainterCanvas, ClipsAreKeptAndRestored) {
  WmfBuilder b;
  b.objects(1);
  solidBrush(b, 0, colorRef(0, 0, 0));
  b.raw(wmf::kCreatePenIndirect, fixtures::penParams(5, 0, 0));
  b.record(wmf::kSelectObject, {1});
  b.record(wmf::kSaveDc, {})
      .record(wmf::kIntersectClipRect, box(0, 0, 50, 50))
      .record(wmf::kExcludeClipRect, box(10, 10, 20, 20))
      .record(wmf::kRectangle, box(0, 0, 100, 60))
      .record(wmf::kRestoreDc, {-1})
      .record(wmf::kRectangle, box(0, 80, 100, 100));
  const QImage image = draw(b);
  EXPECT_EQ(image.pixel(5, 5), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(15, 15), qRgb(255, 255, 255));  // excluded
  EXPECT_EQ(image.pixel(70, 20), qRgb(255, 255, 255));  // outside the clip
  EXPECT_EQ(image.pixel(70, 90), qRgb(0, 0, 0));        // after the restore
}

TEST(WmfQPainterCanvas, PatternBrushFromABitmap) {
  fixtures::ByteVector pattern;
  fixtures::put16(pattern, 5);
  fixtures::put16(pattern, 0);
  const auto dib = twoByTwoDib();
  pattern.insert(pattern.end(), dib.begin(), dib.end());
  WmfBuilder b;
  b.objects(2)
      .raw(wmf::kDibCreatePatternBrush, pattern)
      .record(wmf::kSelectObject, {0})
      .raw(wmf::kCreatePenIndirect, fixtures::penParams(5, 0, 0))
      .record(wmf::kSelectObject, {1})
      .record(wmf::kRectangle, box(0, 0, 100, 100));
  const QImage image = draw(b);
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(1, 0), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(2, 2), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(3, 3), qRgb(255, 255, 255));
}
