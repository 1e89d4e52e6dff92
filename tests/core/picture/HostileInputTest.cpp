// Damaged files through the readers: every prefix and seeded byte flips.
// Beyond not crashing (the sanitizer build checks memory), what comes out
// must still keep the readers' promises.
#include <gtest/gtest.h>

#include <random>

#include "PictureFixtures.h"
#include "core/picture/BitmapHeader.h"
#include "core/picture/DibPixels.h"
#include "core/picture/IconImage.h"
#include "core/picture/JpegDecoder.h"
#include "core/picture/WmfPlayer.h"
#include "core/picture/WmfRecords.h"

using namespace tossbox;

namespace {

// Checks what the player hands a canvas: bitmaps the header parser accepts,
// with source rectangles inside them.
class CheckingCanvas : public WmfCanvas {
 public:
  void polyline(std::span<const WmfPoint>, const WmfStyle&) override { ++calls; }
  void polygons(std::span<const std::vector<WmfPoint>>, const WmfStyle&) override { ++calls; }
  void rectangle(const WmfRect&, const WmfStyle&) override { ++calls; }
  void roundRectangle(const WmfRect&, double, double, const WmfStyle&) override { ++calls; }
  void ellipse(const WmfRect&, const WmfStyle&) override { ++calls; }
  void arc(const WmfRect&, double, double sweep, WmfArcShape, const WmfStyle&) override {
    ++calls;
    EXPECT_LE(std::abs(sweep), 360.0);
  }
  double text(const WmfText& t) override {
    ++calls;
    EXPECT_TRUE(t.advances.empty() || t.advances.size() == t.bytes.size());
    return 1;
  }
  void fill(const WmfRect&, const WmfBrush&, WmfRaster) override { ++calls; }
  void bitmap(std::span<const std::uint8_t> dib, const WmfPixelRect& source, const WmfRect&,
              WmfRaster) override {
    ++calls;
    const auto header = parseDibHeader(dib);
    ASSERT_TRUE(header);
    EXPECT_GE(source.x, 0);
    EXPECT_GE(source.y, 0);
    EXPECT_GT(source.width, 0);
    EXPECT_GT(source.height, 0);
    EXPECT_LE(source.x + source.width, header->width);
    EXPECT_LE(source.y + source.height, header->height);
  }
  void save() override { ++depth; }
  void restore() override {
    --depth;
    EXPECT_GE(depth, 0);
  }
  void intersectClip(const WmfRect&) override {}
  void excludeClip(const WmfRect&) override {}
  void setClip(std::span<const WmfRect>) override {}
  int calls = 0;
  int depth = 0;
};

fixtures::ByteVector richMetafile() {
  fixtures::BmpLayout layout;
  layout.width = 3;
  layout.height = 2;
  layout.bits = 8;
  layout.palette.assign(256, {9, 9, 9});
  layout.value = [](int x, int y) { return static_cast<std::uint32_t>(x + y); };
  const auto dib = fixtures::packedDib(fixtures::makeBmp(layout));
  fixtures::ByteVector stretch;
  fixtures::put32(stretch, wmf::kSrcCopy);
  for (const int v : {0, 2, 3, 0, 0, 20, 30, 5, 5}) fixtures::put16(stretch, v);
  stretch.insert(stretch.end(), dib.begin(), dib.end());
  fixtures::ByteVector text;
  for (const int v : {10, 10, 3, 0}) fixtures::put16(text, v);
  text.insert(text.end(), {'a', 'b', 'c', 0, 1, 0, 2, 0, 3, 0});
  fixtures::ByteVector poly;
  fixtures::put16(poly, 2);
  fixtures::put16(poly, 3);
  fixtures::put16(poly, 3);
  for (int i = 0; i < 12; ++i) fixtures::put16(poly, i * 7);
  return fixtures::WmfBuilder()
      .objects(4)
      .record(wmf::kSetWindowExt, {100, 100})
      .record(wmf::kSaveDc, {})
      .raw(wmf::kCreatePenIndirect, fixtures::penParams(1, 3, 0x123456))
      .raw(wmf::kCreateBrushIndirect, fixtures::brushParams(2, 0x654321, 3))
      .raw(wmf::kCreateFontIndirect, fixtures::fontParams(-12, "Arial"))
      .record(wmf::kSelectObject, {0})
      .record(wmf::kSelectObject, {1})
      .record(wmf::kSelectObject, {2})
      .raw(wmf::kPolyPolygon, poly)
      .record(wmf::kArc, {0, 50, 50, 100, 100, 100, 0, 0})
      .raw(wmf::kExtTextOut, text)
      .raw(wmf::kStretchDib, stretch)
      .record(wmf::kRestoreDc, {-1})
      .record(wmf::kDeleteObject, {1})
      .build(fixtures::Placeable{0, 0, 100, 100, 96});
}

class NullSink : public JpegPixelSink {
 public:
  std::uint8_t* allocate(int w, int h, JpegPixels pixels, std::size_t& bytesPerLine) override {
    width = w;
    height = h;
    bytesPerLine = static_cast<std::size_t>(w) * (pixels == JpegPixels::Bgra32 ? 4 : 1);
    rows.assign(bytesPerLine * static_cast<std::size_t>(h), 0);
    return rows.data();
  }
  void setColourMap(std::span<const JpegRgb>) override {}
  void scanShown() override {}
  void progress(int percent) override {
    EXPECT_GE(percent, 0);
    EXPECT_LE(percent, 100);
  }
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rows;
};

void decodeChecked(const fixtures::ByteVector& bytes, bool eachScan) {
  NullSink sink;
  JpegDecodeOptions options;
  options.showEachScan = eachScan;
  options.scaleDenominator = eachScan ? 1 : 4;
  const JpegDecodeResult r = decodeJpeg(bytes, options, sink);
  if (r.outcome != JpegOutcome::Failed) {
    EXPECT_EQ(sink.width, r.outputWidth);
    EXPECT_EQ(sink.height, r.outputHeight);
  }
}

}  // namespace

TEST(HostileInput, DamagedMetafilesPlaySafely) {
  const auto good = richMetafile();
  {
    const auto document = WmfDocument::parse(good);
    ASSERT_TRUE(document);
    CheckingCanvas canvas;
    playWmf(*document, canvas, 100, 100);
    EXPECT_GE(canvas.calls, 4);
    EXPECT_EQ(canvas.depth, 0);
  }
  for (std::size_t cut = 0; cut < good.size(); ++cut) {
    const auto document = WmfDocument::parse(
        fixtures::ByteVector(good.begin(), good.begin() + static_cast<long>(cut)));
    if (!document) continue;
    CheckingCanvas canvas;
    playWmf(*document, canvas, 50, 50);
    EXPECT_EQ(canvas.depth, 0);
  }
  std::mt19937 random(1234);
  for (int round = 0; round < 3000; ++round) {
    auto bytes = good;
    for (int flips = 0; flips < 4; ++flips) {
      bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
    }
    const auto document = WmfDocument::parse(bytes);
    if (!document) continue;
    CheckingCanvas canvas;
    playWmf(*document, canvas, 64, 48);
    EXPECT_EQ(canvas.depth, 0);
  }
}

TEST(HostileInput, DamagedJpegsDecodeOrFailCleanly) {
  for (const auto kind : {fixtures::JpegKind::Baseline, fixtures::JpegKind::Progressive}) {
    const auto good = fixtures::makeJpeg(40, 24, kind);
    for (std::size_t cut = 0; cut < good.size(); cut += 7) {
      decodeChecked(fixtures::ByteVector(good.begin(), good.begin() + static_cast<long>(cut)),
                    kind == fixtures::JpegKind::Progressive);
    }
    std::mt19937 random(99);
    for (int round = 0; round < 400; ++round) {
      auto bytes = good;
      for (int flips = 0; flips < 3; ++flips) {
        bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
      }
      decodeChecked(bytes, round % 2 == 0);
    }
  }
}

TEST(HostileInput, DamagedBitmapHeadersAreCheckedOrRefused) {
  fixtures::BmpLayout layout;
  layout.bits = 4;
  layout.palette.assign(16, {1, 2, 3});
  layout.value = [](int x, int) { return static_cast<std::uint32_t>(x % 16); };
  const auto good = fixtures::makeBmp(layout);
  std::mt19937 random(7);
  for (int round = 0; round < 5000; ++round) {
    auto bytes = good;
    bytes[14 + random() % 40] = static_cast<std::uint8_t>(random());
    const auto file = parseBitmapFile(bytes);
    if (!file) continue;
    // What is accepted lies inside the file.
    EXPECT_LE(14 + dibColourTableOffset(file->dib) + dibColourTableBytes(file->dib), bytes.size());
    if (!dibIsCompressed(file->dib)) {
      EXPECT_LE(file->bitsOffset + dibUncompressedBytes(file->dib), bytes.size());
    }
  }
}

TEST(HostileInput, DamagedIconBitmapsDecodeOrFailCleanly) {
  fixtures::IconLayout layout;
  layout.bits = 8;
  layout.headerSize = 124;
  layout.palette.assign(256, {1, 2, 3});
  layout.value = [](int x, int y) { return static_cast<std::uint32_t>(x * y); };
  layout.masked = [](int x, int) { return x % 2 == 0; };
  const auto file = fixtures::makeBitmapIcon(layout);
  const Bytes good = Bytes(file).subspan(22);
  std::mt19937 random(11);
  for (std::size_t cut = 0; cut <= good.size() + 200; ++cut) {
    auto bytes = fixtures::ByteVector(good.begin(), good.begin() + std::min(cut, good.size()));
    if (cut > good.size()) bytes[random() % 40] = static_cast<std::uint8_t>(random());
    const auto pixels = decodeIconBitmap(bytes);
    if (!pixels) continue;
    EXPECT_EQ(pixels->argb.size(), static_cast<std::size_t>(pixels->width) * pixels->height);
  }
  // Cut inside the mask: the colours still show, all of them opaque.
  const auto unmasked = decodeIconBitmap(good.first(good.size() - 4));
  ASSERT_TRUE(unmasked);
  EXPECT_EQ(unmasked->argb[0] >> 24, 0xFFu);
}

TEST(HostileInput, SmallRowsCannotAskForAHugePicture) {
  // 4 MiB of one-bit rows would be 128 MiB and more of pixels.
  DibHeader header;
  header.width = 8192;
  header.height = 4097;
  header.bitCount = 1;
  const std::vector<std::uint8_t> rows(dibUncompressedBytes(header), 0);
  EXPECT_FALSE(decodeDibPixels(header, {}, rows));
  header.height = 8;
  EXPECT_TRUE(decodeDibPixels(header, {}, rows));
}
