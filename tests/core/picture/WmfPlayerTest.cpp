#include "core/picture/WmfPlayer.h"

#include <gtest/gtest.h>

#include "PictureFixtures.h"
#include "core/picture/WmfRecords.h"

using namespace tossbox;
using fixtures::colorRef;
using fixtures::Placeable;
using fixtures::WmfBuilder;

namespace {

struct Call {
  std::string kind;
  std::vector<WmfPoint> points;
  std::vector<std::vector<WmfPoint>> polygons;
  WmfRect rect;
  double a = 0, b = 0;
  WmfArcShape arc = WmfArcShape::Arc;
  WmfStyle style;
  WmfText text;
  WmfBrush brush;
  WmfRaster raster = WmfRaster::Copy;
  WmfPixelRect source;
  std::vector<std::uint8_t> dib;
  std::vector<WmfRect> clip;
};

class RecordingCanvas : public WmfCanvas {
 public:
  void polyline(std::span<const WmfPoint> p, const WmfStyle& s) override {
    add("polyline").points.assign(p.begin(), p.end());
    calls.back().style = s;
  }
  void polygons(std::span<const std::vector<WmfPoint>> p, const WmfStyle& s) override {
    add("polygons").polygons.assign(p.begin(), p.end());
    calls.back().style = s;
  }
  void rectangle(const WmfRect& r, const WmfStyle& s) override { shape("rectangle", r, s); }
  void roundRectangle(const WmfRect& r, double w, double h, const WmfStyle& s) override {
    shape("roundRectangle", r, s);
    calls.back().a = w;
    calls.back().b = h;
  }
  void ellipse(const WmfRect& r, const WmfStyle& s) override { shape("ellipse", r, s); }
  void arc(const WmfRect& r, double start, double sweep, WmfArcShape shapeKind,
           const WmfStyle& s) override {
    shape("arc", r, s);
    calls.back().a = start;
    calls.back().b = sweep;
    calls.back().arc = shapeKind;
  }
  double text(const WmfText& t) override {
    add("text").text = t;
    return 10.0 * static_cast<double>(t.bytes.size());
  }
  void fill(const WmfRect& r, const WmfBrush& brush, WmfRaster raster) override {
    add("fill").rect = r;
    calls.back().brush = brush;
    calls.back().raster = raster;
  }
  void bitmap(std::span<const std::uint8_t> dib, const WmfPixelRect& source, const WmfRect& target,
              WmfRaster raster) override {
    Call& c = add("bitmap");
    c.dib.assign(dib.begin(), dib.end());
    c.source = source;
    c.rect = target;
    c.raster = raster;
  }
  void save() override { add("save"); }
  void restore() override { add("restore"); }
  void intersectClip(const WmfRect& r) override { add("intersectClip").rect = r; }
  void excludeClip(const WmfRect& r) override { add("excludeClip").rect = r; }
  void setClip(std::span<const WmfRect> rects) override {
    add("setClip").clip.assign(rects.begin(), rects.end());
  }

  [[nodiscard]] std::vector<const Call*> of(const std::string& kind) const {
    std::vector<const Call*> found;
    for (const Call& c : calls) {
      if (c.kind == kind) found.push_back(&c);
    }
    return found;
  }

  std::vector<Call> calls;

 private:
  Call& add(const std::string& kind) {
    calls.push_back({});
    calls.back().kind = kind;
    return calls.back();
  }
  void shape(const std::string& kind, const WmfRect& r, const WmfStyle& s) {
    add(kind).rect = r;
    calls.back().style = s;
  }
};

RecordingCanvas play(const fixtures::ByteVector& bytes, double width, double height) {
  const auto document = WmfDocument::parse(bytes);
  EXPECT_TRUE(document);
  RecordingCanvas canvas;
  if (document) playWmf(*document, canvas, width, height);
  return canvas;
}

// GDI rectangles are stored bottom, right, top, left.
std::vector<int> box(int left, int top, int right, int bottom) {
  return {bottom, right, top, left};
}

}  // namespace

TEST(WmfPlayer, PlaceableBoxMapsOntoTheCanvas) {
  // 1440 units per inch, box 2880 x 1440: 192 x 96 pixels, drawn at twice that.
  const auto canvas = play(WmfBuilder()
                               .record(wmf::kRectangle, box(1440, 0, 2880, 720))
                               .record(wmf::kMoveTo, {0, 0})
                               .record(wmf::kLineTo, {1440, 2880})
                               .build(Placeable{0, 0, 2880, 1440, 1440}),
                           384, 192);
  const auto rects = canvas.of("rectangle");
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0]->rect, (WmfRect{192, 0, 384, 96}));
  const auto lines = canvas.of("polyline");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0]->points, (std::vector<WmfPoint>{{0, 0}, {384, 192}}));
}

TEST(WmfPlayer, WindowOriginExtentAndMappingModes) {
  // Window 1000 x 500 from (100, 100) onto a 200 x 100 canvas.
  auto canvas = play(WmfBuilder()
                         .record(wmf::kSetWindowOrg, {100, 100})
                         .record(wmf::kSetWindowExt, {500, 1000})
                         .record(wmf::kEllipse, box(100, 100, 600, 350))
                         // Flip y with a negative extent.
                         .record(wmf::kSetWindowExt, {-500, 1000})
                         .record(wmf::kSetWindowOrg, {600, 100})
                         .record(wmf::kRectangle, box(100, 600, 600, 350))
                         .build(),
                     200, 100);
  ASSERT_EQ(canvas.of("ellipse").size(), 1u);
  EXPECT_EQ(canvas.of("ellipse")[0]->rect, (WmfRect{0, 0, 100, 50}));
  ASSERT_EQ(canvas.of("rectangle").size(), 1u);
  EXPECT_EQ(canvas.of("rectangle")[0]->rect, (WmfRect{0, 0, 100, 50}));

  // Isotropic keeps the smaller scale on both axes.
  canvas = play(WmfBuilder()
                    .record(wmf::kSetWindowExt, {100, 100})
                    .record(wmf::kSetMapMode, {wmf::kMmIsotropic})
                    .record(wmf::kSetViewportExt, {100, 50})
                    .record(wmf::kRectangle, box(0, 0, 100, 100))
                    .build(),
                100, 100);
  EXPECT_EQ(canvas.of("rectangle")[0]->rect, (WmfRect{0, 0, 50, 50}));

  // MM_LOMETRIC: 0.1 mm units, y upwards from the viewport origin.
  canvas = play(WmfBuilder()
                    .record(wmf::kSetWindowExt, {100, 100})
                    .record(wmf::kSetMapMode, {wmf::kMmLoMetric})
                    .record(wmf::kSetViewportOrg, {100, 0})
                    .record(wmf::kLineTo, {-254, 254})
                    .build(),
                100, 100);
  ASSERT_EQ(canvas.of("polyline").size(), 1u);
  EXPECT_EQ(canvas.of("polyline")[0]->points[0], (WmfPoint{0, 100}));
  EXPECT_NEAR(canvas.of("polyline")[0]->points[1].x, 96, 1e-9);
  EXPECT_NEAR(canvas.of("polyline")[0]->points[1].y, 196, 1e-9);

  // Offsets and scaling of the window.
  canvas = play(WmfBuilder()
                    .record(wmf::kSetWindowExt, {100, 100})
                    .record(wmf::kOffsetWindowOrg, {-10, -10})
                    .record(wmf::kScaleWindowExt, {1, 2, 1, 2})
                    .record(wmf::kRectangle, box(-10, -10, 190, 190))
                    .record(wmf::kScaleWindowExt, {0, 2, 1, 2})  // zero denominator: ignored
                    .record(wmf::kSetWindowExt, {0, 50})         // zero extent: ignored
                    .record(wmf::kEllipse, box(-10, -10, 190, 190))
                    .build(),
                100, 100);
  EXPECT_EQ(canvas.of("rectangle")[0]->rect, (WmfRect{0, 0, 100, 100}));
  EXPECT_EQ(canvas.of("ellipse")[0]->rect, (WmfRect{0, 0, 100, 100}));
}

TEST(WmfPlayer, SaveAndRestoreTheDeviceContext) {
  const auto canvas =
      play(WmfBuilder()
               .objects(2)
               .record(wmf::kSetWindowExt, {100, 100})
               .raw(wmf::kCreatePenIndirect, fixtures::penParams(0, 4, colorRef(255, 0, 0)))
               .record(wmf::kSelectObject, {0})
               .record(wmf::kSaveDc, {})
               .record(wmf::kSetWindowExt, {200, 200})
               .raw(wmf::kCreatePenIndirect, fixtures::penParams(0, 8, colorRef(0, 255, 0)))
               .record(wmf::kSelectObject, {1})
               .record(wmf::kSetBkMode, {wmf::kTransparent})
               .record(wmf::kRectangle, box(0, 0, 100, 100))
               .record(wmf::kRestoreDc, {-1})
               .record(wmf::kRectangle, box(0, 0, 100, 100))
               .record(wmf::kRestoreDc, {-1})  // nothing saved: ignored
               .record(wmf::kSaveDc, {})
               .record(wmf::kSaveDc, {})
               .record(wmf::kRestoreDc, {1})  // back to the first level
               .record(wmf::kEllipse, box(0, 0, 100, 100))
               .record(wmf::kSaveDc, {})  // left open at the end
               .build(),
           100, 100);
  const auto rects = canvas.of("rectangle");
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0]->rect, (WmfRect{0, 0, 50, 50}));
  EXPECT_EQ(rects[0]->style.pen.colour, (WmfColour{0, 255, 0}));
  EXPECT_DOUBLE_EQ(rects[0]->style.pen.width, 4);
  EXPECT_FALSE(rects[0]->style.opaqueBackground);
  EXPECT_EQ(rects[1]->rect, (WmfRect{0, 0, 100, 100}));
  EXPECT_EQ(rects[1]->style.pen.colour, (WmfColour{255, 0, 0}));
  EXPECT_TRUE(rects[1]->style.opaqueBackground);
  // Every save of the canvas is matched by a restore.
  EXPECT_EQ(canvas.of("save").size(), canvas.of("restore").size());
  EXPECT_EQ(canvas.of("save").size(), 4u);
}

TEST(WmfPlayer, ObjectTableSelectionAndDeletion) {
  const auto canvas = play(
      WmfBuilder()
          .objects(3)
          .record(wmf::kSetWindowExt, {10, 10})
          .raw(wmf::kCreateBrushIndirect, fixtures::brushParams(0, colorRef(255, 0, 0)))     // 0
          .raw(wmf::kCreateBrushIndirect, fixtures::brushParams(2, colorRef(0, 0, 255), 4))  // 1
          .record(wmf::kSelectObject, {0})
          .record(wmf::kRectangle, box(0, 0, 5, 5))
          .record(wmf::kDeleteObject, {0})
          // Deleting the selected brush keeps it in use; the slot is free again.
          .record(wmf::kRectangle, box(0, 0, 5, 5))
          .raw(wmf::kCreateBrushIndirect, fixtures::brushParams(1, 0))  // takes slot 0
          .record(wmf::kSelectObject, {1})
          .record(wmf::kRectangle, box(0, 0, 5, 5))
          .record(wmf::kSelectObject, {0})
          .record(wmf::kRectangle, box(0, 0, 5, 5))
          .record(wmf::kSelectObject, {9})  // nothing there: ignored
          .record(wmf::kRectangle, box(0, 0, 5, 5))
          .raw(wmf::kCreatePenIndirect, fixtures::penParams(5, 1, 0))  // slot 2: null pen
          .record(wmf::kSelectObject, {2})
          .record(wmf::kRectangle, box(0, 0, 5, 5))
          .build(),
      10, 10);
  const auto rects = canvas.of("rectangle");
  ASSERT_EQ(rects.size(), 6u);
  EXPECT_EQ(rects[0]->style.brush.style, WmfBrushStyle::Solid);
  EXPECT_EQ(rects[0]->style.brush.colour, (WmfColour{255, 0, 0}));
  EXPECT_EQ(rects[1]->style.brush.colour, (WmfColour{255, 0, 0}));
  EXPECT_EQ(rects[2]->style.brush.style, WmfBrushStyle::Hatched);
  EXPECT_EQ(rects[2]->style.brush.hatch, WmfHatch::Cross);
  EXPECT_EQ(rects[3]->style.brush.style, WmfBrushStyle::Null);
  EXPECT_EQ(rects[4]->style.brush.style, WmfBrushStyle::Null);
  EXPECT_EQ(rects[5]->style.pen.style, WmfPenStyle::Null);
  // The default pen is black and one pixel wide.
  EXPECT_EQ(rects[0]->style.pen.colour, (WmfColour{0, 0, 0}));
  EXPECT_DOUBLE_EQ(rects[0]->style.pen.width, 0);
}

TEST(WmfPlayer, PalettesResolveIndexedColours) {
  fixtures::ByteVector palette;
  fixtures::put16(palette, 0x300);
  fixtures::put16(palette, 2);
  palette.insert(palette.end(), {10, 20, 30, 0, 40, 50, 60, 0});
  fixtures::ByteVector entries;
  fixtures::put16(entries, 1);
  fixtures::put16(entries, 1);
  entries.insert(entries.end(), {70, 80, 90, 0});
  const auto canvas = play(
      WmfBuilder()
          .objects(2)
          .record(wmf::kSetWindowExt, {10, 10})
          .raw(wmf::kCreatePalette, palette)
          .record(wmf::kSelectPalette, {0, 0})
          .raw(wmf::kCreateBrushIndirect, fixtures::brushParams(0, 0x01000001))
          .record(wmf::kSelectObject, {1})
          .record(wmf::kRectangle, box(0, 0, 5, 5))
          .raw(wmf::kSetPaletteEntries, entries)
          .record(wmf::kRectangle, box(0, 0, 5, 5))
          .raw(wmf::kCreateBrushIndirect, fixtures::brushParams(0, 0x01000007))  // no slot free
          .build(),
      10, 10);
  const auto rects = canvas.of("rectangle");
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0]->style.brush.colour, (WmfColour{40, 50, 60}));
  EXPECT_EQ(rects[1]->style.brush.colour, (WmfColour{70, 80, 90}));
}

TEST(WmfPlayer, PolygonsArcsAndModes) {
  fixtures::ByteVector polyPolygon;
  fixtures::put16(polyPolygon, 2);
  fixtures::put16(polyPolygon, 3);
  fixtures::put16(polyPolygon, 3);
  for (const int v : {0, 0, 10, 0, 0, 10, 20, 20, 30, 20, 20, 30}) fixtures::put16(polyPolygon, v);
  const auto canvas = play(WmfBuilder()
                               .record(wmf::kSetWindowExt, {100, 100})
                               .record(wmf::kSetPolyFillMode, {2})
                               .record(wmf::kSetRop2, {wmf::kR2XorPen})
                               .raw(wmf::kPolyPolygon, polyPolygon)
                               .record(wmf::kPolygon, {3, 0, 0, 5, 0, 0, 5})
                               .record(wmf::kPolyline, {2, 1, 1, 9, 9})
                               .record(wmf::kPolyline, {50, 1, 1})  // more points than the record
                               // Quarter arc from 3 o'clock to 12 o'clock, counterclockwise.
                               .record(wmf::kArc, {0, 50, 50, 100, 100, 100, 0, 0})
                               .record(wmf::kPie, {50, 100, 0, 50, 100, 100, 0, 0})
                               .record(wmf::kChord, {0, 50, 0, 50, 100, 100, 0, 0})
                               .record(wmf::kRoundRect, {10, 20, 40, 80, 0, 0})
                               .build(),
                           100, 100);
  const auto polys = canvas.of("polygons");
  ASSERT_EQ(polys.size(), 2u);
  ASSERT_EQ(polys[0]->polygons.size(), 2u);
  EXPECT_EQ(polys[0]->polygons[1][2], (WmfPoint{20, 30}));
  EXPECT_EQ(polys[0]->style.fill, WmfFillRule::Winding);
  EXPECT_EQ(polys[0]->style.raster, WmfRaster::Xor);
  EXPECT_EQ(canvas.of("polyline").size(), 1u);

  const auto arcs = canvas.of("arc");
  ASSERT_EQ(arcs.size(), 3u);
  EXPECT_EQ(arcs[0]->arc, WmfArcShape::Arc);
  EXPECT_NEAR(arcs[0]->a, 0, 1e-9);
  EXPECT_NEAR(arcs[0]->b, 90, 1e-9);
  EXPECT_EQ(arcs[1]->arc, WmfArcShape::Pie);
  // From 12 o'clock round to 3 o'clock.
  EXPECT_NEAR(arcs[1]->a, 90, 1e-9);
  EXPECT_NEAR(arcs[1]->b, 270, 1e-9);
  // Start and end on the same ray: the whole ellipse.
  EXPECT_NEAR(arcs[2]->b, 360, 1e-9);
  const auto round = canvas.of("roundRectangle");
  ASSERT_EQ(round.size(), 1u);
  EXPECT_DOUBLE_EQ(round[0]->a, 20);
  EXPECT_DOUBLE_EQ(round[0]->b, 10);

  // With y flipped the same arc turns the other way on the canvas.
  const auto flipped = play(WmfBuilder()
                                .record(wmf::kSetWindowExt, {-100, 100})
                                .record(wmf::kSetWindowOrg, {100, 0})
                                .record(wmf::kArc, {0, 50, 50, 100, 100, 100, 0, 0})
                                .build(),
                            100, 100);
  ASSERT_EQ(flipped.of("arc").size(), 1u);
  EXPECT_NEAR(flipped.of("arc")[0]->a, 0, 1e-9);
  EXPECT_NEAR(flipped.of("arc")[0]->b, -90, 1e-9);
}

TEST(WmfPlayer, TextWithAlignmentColoursAndFont) {
  fixtures::ByteVector extText;
  for (const int v : std::vector<int>{40, 30, 3, wmf::kEtoOpaque, 0, 0, 20, 10})
    fixtures::put16(extText, v);
  extText.insert(extText.end(), {'a', 'b', 'c', 0});
  for (const int v : {5, 6, 7}) fixtures::put16(extText, v);
  fixtures::ByteVector textOut;
  fixtures::put16(textOut, 5);
  textOut.insert(textOut.end(), {'h', 'e', 'l', 'l', 'o', 0});
  fixtures::put16(textOut, 8);   // y
  fixtures::put16(textOut, 12);  // x
  const auto canvas =
      play(WmfBuilder()
               .objects(1)
               .record(wmf::kSetWindowExt, {100, 100})
               .raw(wmf::kCreateFontIndirect, fixtures::fontParams(-20, "Arial", 0, 900))
               .record(wmf::kSelectObject, {0})
               .record(wmf::kSetTextColor, {0x00FF, 0x0000})
               .record(wmf::kSetBkColor, {0x0000, 0x00FF})
               .record(wmf::kSetTextAlign, {wmf::kTaCenter | wmf::kTaBaseline})
               .raw(wmf::kExtTextOut, extText)
               .record(wmf::kSetBkMode, {wmf::kTransparent})
               .record(wmf::kSetTextAlign, {wmf::kTaUpdateCp | wmf::kTaRight | wmf::kTaBottom})
               .record(wmf::kMoveTo, {50, 50})
               .raw(wmf::kTextOut, textOut)
               .raw(wmf::kTextOut, textOut)
               .build(),
           200, 200);
  const auto texts = canvas.of("text");
  ASSERT_EQ(texts.size(), 3u);
  const WmfText& first = texts[0]->text;
  EXPECT_EQ(first.bytes, "abc");
  EXPECT_EQ(first.origin, (WmfPoint{60, 80}));
  EXPECT_EQ(first.anchorX, WmfTextAnchorX::Centre);
  EXPECT_EQ(first.anchorY, WmfTextAnchorY::Baseline);
  EXPECT_EQ(first.colour, (WmfColour{255, 0, 0}));
  EXPECT_EQ(first.background, (WmfColour{0, 0, 255}));
  EXPECT_TRUE(first.opaqueBackground);
  EXPECT_EQ(first.advances, (std::vector<double>{10, 12, 14}));
  ASSERT_TRUE(first.opaqueRect);
  EXPECT_EQ(*first.opaqueRect, (WmfRect{0, 0, 40, 20}));
  EXPECT_FALSE(first.clipRect);
  EXPECT_DOUBLE_EQ(first.font.height, -40);
  EXPECT_DOUBLE_EQ(first.font.escapement, 90);
  EXPECT_EQ(first.font.faceName, "Arial");
  EXPECT_EQ(first.font.charset, 0);

  // Update-CP text starts at the current position and moves it by its advance.
  const WmfText& second = texts[1]->text;
  EXPECT_EQ(second.bytes, "hello");
  EXPECT_EQ(second.origin, (WmfPoint{100, 100}));
  EXPECT_EQ(second.anchorX, WmfTextAnchorX::Right);
  EXPECT_EQ(second.anchorY, WmfTextAnchorY::Bottom);
  EXPECT_FALSE(second.opaqueBackground);
  EXPECT_EQ(texts[2]->text.origin, (WmfPoint{50, 100}));
}

TEST(WmfPlayer, BitmapTransfers) {
  fixtures::BmpLayout layout;
  layout.width = 4;
  layout.height = 2;
  layout.bits = 24;
  layout.value = [](int x, int y) { return static_cast<std::uint32_t>(x * 40 + y * 100); };
  const fixtures::ByteVector dib = fixtures::packedDib(fixtures::makeBmp(layout));

  fixtures::ByteVector stretch;
  fixtures::put32(stretch, wmf::kSrcAnd);
  for (const int v : {0, 1, 2, 0, 1, 50, 100, 10, 20}) fixtures::put16(stretch, v);
  stretch.insert(stretch.end(), dib.begin(), dib.end());

  fixtures::ByteVector toDevice;
  for (const int v : {0, 2, 0, 0, 0, 2, 4, 5, 6}) fixtures::put16(toDevice, v);
  toDevice.insert(toDevice.end(), dib.begin(), dib.end());

  fixtures::ByteVector blt;
  fixtures::put32(blt, wmf::kSrcCopy);
  for (const int v : {2, 4, 0, 0, 2, -4, 30, 40}) fixtures::put16(blt, v);  // mirrored
  blt.insert(blt.end(), dib.begin(), dib.end());

  fixtures::ByteVector patternOnly;
  fixtures::put32(patternOnly, wmf::kPatCopy);
  for (const int v : {0, 0, 0, 0, 0, 7, 8, 9, 10}) fixtures::put16(patternOnly, v);

  fixtures::ByteVector brokenDib = stretch;
  brokenDib.resize(brokenDib.size() - 10);

  const auto canvas = play(WmfBuilder()
                               .record(wmf::kSetWindowExt, {100, 100})
                               .raw(wmf::kStretchDib, stretch)
                               .raw(wmf::kSetDibToDev, toDevice)
                               .raw(wmf::kDibStretchBlt, blt)
                               .raw(wmf::kDibStretchBlt, patternOnly)
                               .raw(wmf::kStretchDib, brokenDib)
                               .build(),
                           100, 100);
  const auto bitmaps = canvas.of("bitmap");
  ASSERT_EQ(bitmaps.size(), 3u);
  // Source row 0 of a bottom-up bitmap is its last row in the image.
  EXPECT_EQ(bitmaps[0]->source.x, 1);
  EXPECT_EQ(bitmaps[0]->source.y, 1);
  EXPECT_EQ(bitmaps[0]->source.width, 2);
  EXPECT_EQ(bitmaps[0]->source.height, 1);
  EXPECT_EQ(bitmaps[0]->rect, (WmfRect{20, 10, 120, 60}));
  EXPECT_EQ(bitmaps[0]->raster, WmfRaster::And);
  EXPECT_EQ(bitmaps[0]->dib, dib);
  EXPECT_EQ(bitmaps[1]->rect, (WmfRect{6, 5, 10, 7}));
  EXPECT_EQ(bitmaps[1]->source.width, 4);
  // A negative target width mirrors: left and right come swapped.
  EXPECT_EQ(bitmaps[2]->rect, (WmfRect{40, 30, 36, 32}));
  const auto fills = canvas.of("fill");
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0]->rect, (WmfRect{10, 9, 18, 16}));
}

TEST(WmfPlayer, PaletteIndexedDibBecomesRgb) {
  fixtures::BmpLayout layout;
  layout.width = 2;
  layout.height = 1;
  layout.bits = 1;
  layout.palette = {{0, 0, 0}, {0, 0, 0}};
  layout.value = [](int x, int) { return static_cast<std::uint32_t>(x); };
  const fixtures::ByteVector rgb = fixtures::packedDib(fixtures::makeBmp(layout));
  fixtures::ByteVector indexed(rgb.begin(), rgb.begin() + 40);
  fixtures::put16(indexed, 1);
  fixtures::put16(indexed, 0);
  indexed.insert(indexed.end(), rgb.begin() + 48, rgb.end());

  fixtures::ByteVector palette;
  fixtures::put16(palette, 0x300);
  fixtures::put16(palette, 2);
  palette.insert(palette.end(), {200, 0, 0, 0, 0, 200, 0, 0});
  fixtures::ByteVector stretch;
  fixtures::put32(stretch, wmf::kSrcCopy);
  for (const int v : {1, 1, 2, 0, 0, 1, 2, 0, 0}) fixtures::put16(stretch, v);
  stretch.insert(stretch.end(), indexed.begin(), indexed.end());

  const auto canvas = play(WmfBuilder()
                               .objects(1)
                               .record(wmf::kSetWindowExt, {10, 10})
                               .raw(wmf::kCreatePalette, palette)
                               .record(wmf::kSelectPalette, {0, 0})
                               .raw(wmf::kStretchDib, stretch)
                               .build(),
                           10, 10);
  const auto bitmaps = canvas.of("bitmap");
  ASSERT_EQ(bitmaps.size(), 1u);
  const auto& dib = bitmaps[0]->dib;
  ASSERT_EQ(dib.size(), rgb.size());
  // Entry 0 is palette colour 1 (green), entry 1 palette colour 0 (red), as BGR0.
  EXPECT_EQ(std::vector<std::uint8_t>(dib.begin() + 40, dib.begin() + 48),
            (std::vector<std::uint8_t>{0, 200, 0, 0, 0, 0, 200, 0}));
}

TEST(WmfPlayer, ClippingAndRegions) {
  fixtures::ByteVector region;
  for (const int v : {0, 6}) fixtures::put16(region, v);
  fixtures::put32(region, 0);
  for (const int v : {0, 1, 0, 0, 0, 10, 10}) fixtures::put16(region, v);
  for (const int v : {4, 0, 5, 0, 2, 6, 8, 4}) fixtures::put16(region, v);  // one scan, two spans
  const auto canvas =
      play(WmfBuilder()
               .objects(2)
               .record(wmf::kSetWindowExt, {10, 10})
               .record(wmf::kIntersectClipRect, box(1, 2, 3, 4))
               .record(wmf::kExcludeClipRect, box(2, 2, 3, 3))
               .raw(wmf::kCreateRegion, region)
               .raw(wmf::kCreateBrushIndirect, fixtures::brushParams(0, colorRef(0, 9, 0)))
               .record(wmf::kFillRegion, {0, 1})
               .record(wmf::kSelectClipRegion, {0})
               .record(wmf::kSelectClipRegion, {1})  // not a region: clip removed
               .build(),
           20, 20);
  ASSERT_EQ(canvas.of("intersectClip").size(), 1u);
  EXPECT_EQ(canvas.of("intersectClip")[0]->rect, (WmfRect{2, 4, 6, 8}));
  EXPECT_EQ(canvas.of("excludeClip")[0]->rect, (WmfRect{4, 4, 6, 6}));
  const auto fills = canvas.of("fill");
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0]->rect, (WmfRect{0, 0, 4, 10}));
  EXPECT_EQ(fills[1]->rect, (WmfRect{12, 0, 16, 10}));
  EXPECT_EQ(fills[0]->brush.colour, (WmfColour{0, 9, 0}));
  const auto clips = canvas.of("setClip");
  ASSERT_EQ(clips.size(), 2u);
  EXPECT_EQ(clips[0]->clip.size(), 2u);
  EXPECT_TRUE(clips[1]->clip.empty());
}

TEST(WmfPlayer, UnknownAndShortRecordsAreSkipped) {
  const auto canvas = play(WmfBuilder()
                               .record(wmf::kSetWindowExt, {10, 10})
                               .record(0x0999, {1, 2, 3, 4, 5})
                               .record(wmf::kRectangle, {1, 2})  // too short
                               .record(wmf::kEscape, {15, 0})
                               .record(wmf::kSelectObject, {})
                               .record(wmf::kRestoreDc, {})
                               .record(wmf::kEllipse, box(0, 0, 5, 5))
                               .build(),
                           10, 10);
  ASSERT_EQ(canvas.calls.size(), 1u);
  EXPECT_EQ(canvas.calls[0].kind, "ellipse");
}
