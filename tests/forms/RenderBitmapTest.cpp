#include "forms/render/RenderBitmap.h"

#include <bit>

#include "RenderTestFixture.h"

using namespace tossbox;
using fixtures::BmpCompression;
using fixtures::BmpLayout;
using fixtures::makeBmp;
using fixtures::Rgb;

namespace {

const std::vector<Rgb> kColours = {{0, 0, 0},     {255, 255, 255}, {200, 10, 10},  {10, 200, 10},
                                   {10, 10, 200}, {200, 200, 10},  {10, 200, 200}, {200, 10, 200},
                                   {90, 90, 90},  {250, 128, 0},   {0, 128, 250},  {128, 0, 250},
                                   {40, 60, 80},  {80, 60, 40},    {60, 80, 40},   {140, 140, 140}};

// The colour the test pattern puts at a pixel.
int paletteIndex(int x, int y, int colours) {
  return (x / 3 + y * 2) % colours;
}

struct Case {
  std::string name;
  BmpLayout layout;
  std::string depth;
};

BmpLayout indexed(int bits, BmpCompression compression = BmpCompression::Rgb) {
  BmpLayout s;
  s.width = 30;
  s.height = 20;
  s.bits = bits;
  s.compression = compression;
  const int colours = std::min<int>(1 << bits, static_cast<int>(kColours.size()));
  s.palette.assign(kColours.begin(), kColours.begin() + colours);
  s.palette.resize(static_cast<std::size_t>(1) << bits, Rgb{1, 2, 3});
  s.value = [colours](int x, int y) {
    return static_cast<std::uint32_t>(paletteIndex(x, y, colours));
  };
  return s;
}

BmpLayout direct(int bits, BmpCompression compression, std::uint32_t (*pack)(Rgb)) {
  BmpLayout s;
  s.width = 30;
  s.height = 20;
  s.bits = bits;
  s.compression = compression;
  s.value = [pack](int x, int y) {
    return pack(kColours[static_cast<std::size_t>(paletteIndex(x, y, 16))]);
  };
  return s;
}

std::uint32_t pack555(Rgb c) {
  return ((c.r >> 3) << 10) | ((c.g >> 3) << 5) | (c.b >> 3);
}
std::uint32_t pack565(Rgb c) {
  return ((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3);
}
std::uint32_t pack888(Rgb c) {
  return (c.r << 16) | (c.g << 8) | c.b;
}

bool close(QRgb pixel, Rgb expected, int tolerance) {
  return std::abs(qRed(pixel) - expected.r) <= tolerance &&
         std::abs(qGreen(pixel) - expected.g) <= tolerance &&
         std::abs(qBlue(pixel) - expected.b) <= tolerance;
}

}  // namespace

TEST_F(RenderTest, BitmapsOfEachDepthAndCompression) {
  std::vector<Case> cases;
  cases.push_back({"1 bit", indexed(1), "1ﾋﾞｯﾄ RGBｶﾗｰ"});
  cases.push_back({"4 bit", indexed(4), "4ﾋﾞｯﾄ RGBｶﾗｰ"});
  cases.push_back({"8 bit", indexed(8), "8ﾋﾞｯﾄ RGBｶﾗｰ"});
  cases.push_back({"RLE4", indexed(4, BmpCompression::Rle4), "4ﾋﾞｯﾄ RGBｶﾗｰ"});
  cases.push_back({"RLE8", indexed(8, BmpCompression::Rle8), "8ﾋﾞｯﾄ RGBｶﾗｰ"});
  cases.push_back({"15 bit", direct(16, BmpCompression::Rgb, pack555), "15ﾋﾞｯﾄ RGBｶﾗｰ"});
  BmpLayout bits565 = direct(16, BmpCompression::BitFields, pack565);
  bits565.masks[0] = 0xF800;
  bits565.masks[1] = 0x07E0;
  bits565.masks[2] = 0x001F;
  cases.push_back({"16 bit fields", bits565, "16ﾋﾞｯﾄ RGBｶﾗｰ"});
  cases.push_back({"24 bit", direct(24, BmpCompression::Rgb, pack888), "24ﾋﾞｯﾄ RGBｶﾗｰ"});
  cases.push_back({"32 bit", direct(32, BmpCompression::Rgb, pack888), "32ﾋﾞｯﾄ RGBｶﾗｰ"});
  BmpLayout os2 = indexed(8);
  os2.headerSize = 12;
  cases.push_back({"OS2 core header", os2, "8ﾋﾞｯﾄ RGBｶﾗｰ"});
  BmpLayout topDown = direct(24, BmpCompression::Rgb, pack888);
  topDown.topDown = true;
  cases.push_back({"top-down", topDown, "24ﾋﾞｯﾄ RGBｶﾗｰ"});

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto bytes = fixtures::makeBmp(c.layout);
    const std::string path = file(c.name + ".bmp", bytes);
    ASSERT_TRUE(RenderBitmap(services_, previewArgs(path)));
    // A small bitmap keeps its natural size, centred in the box.
    EXPECT_EQ(placed(*preview_), QRect(79, 65, 30, 20));
    EXPECT_FALSE(preview_->isHidden());
    EXPECT_EQ(shown_.kind, 3);
    EXPECT_EQ(shown_.width, 30);
    EXPECT_EQ(shown_.height, 20);
    EXPECT_EQ(shown_.format, "ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞ");
    EXPECT_EQ(shown_.depth, c.depth);
    EXPECT_EQ(shown_.fileSize, static_cast<std::int64_t>(bytes.size()));

    const QImage image = rgb(preview_->picture().image());
    ASSERT_EQ(image.size(), QSize(30, 20));
    const int colours = c.layout.bits <= 8 ? std::min(1 << c.layout.bits, 16) : 16;
    const int tolerance = c.layout.bits == 16 ? 8 : 0;
    for (const QPoint p :
         {QPoint(0, 0), QPoint(29, 0), QPoint(13, 7), QPoint(0, 19), QPoint(29, 19)}) {
      const Rgb expected = kColours[static_cast<std::size_t>(paletteIndex(p.x(), p.y(), colours))];
      EXPECT_TRUE(close(image.pixel(p), expected, tolerance)) << p.x() << "," << p.y();
    }
    if (c.layout.bits == 1) {
      EXPECT_EQ(shown_.number, 0x02FFFFFF);
    } else {
      // The bottom-left pixel, as 0x00BBGGRR, flagged.
      const QRgb corner = image.pixel(0, 19);
      EXPECT_EQ(shown_.number,
                0x02000000 | qRed(corner) | (qGreen(corner) << 8) | (qBlue(corner) << 16));
    }
  }
}

TEST_F(RenderTest, LargeBitmapIsFittedAndItsPaletteIgnoredForFastDecode) {
  BmpLayout big = indexed(8);
  big.width = 800;
  big.height = 600;
  const std::string path = file("big.bmp", fixtures::makeBmp(big));
  ASSERT_TRUE(RenderBitmap(services_, previewArgs(path)));
  EXPECT_EQ(placed(*preview_), QRect(4, 7, 181, 135));
  EXPECT_EQ(preview_->picture().width(), 800);
  EXPECT_EQ(preview_->picture().image().format(), QImage::Format_RGB32);
  EXPECT_EQ(shown_.depth, "8ﾋﾞｯﾄ RGBｶﾗｰ");

  // Read with FastDecode 0 (a target of its own), the palette stays.
  const std::string other = file("other.bmp", fixtures::makeBmp(indexed(8)));
  ASSERT_TRUE(RenderBitmap(services_, RenderArgs{*other_, other, 0, 768, 1024, 0}));
  EXPECT_EQ(other_->picture().image().format(), QImage::Format_Indexed8);
}

TEST_F(RenderTest, CorruptBitmapIsNotHandled) {
  const std::string good = file("good.bmp", fixtures::makeBmp(indexed(4)));
  ASSERT_TRUE(RenderBitmap(services_, previewArgs(good)));
  const ShownFileInfo before = shown_;
  preview_->clearPicture();

  auto bytes = fixtures::makeBmp(indexed(8));
  bytes.resize(bytes.size() - 50);
  for (const auto& [name, content] : std::vector<std::pair<std::string, fixtures::ByteVector>>{
           {"cut.bmp", bytes},
           {"empty.bmp", {}},
           {"jpeg.bmp", fixtures::makeJpeg(10, 10, fixtures::JpegKind::Baseline)},
           {"garbage.bmp", fixtures::ByteVector(300, 0x42)}}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(RenderBitmap(services_, previewArgs(file(name, content))));
    EXPECT_TRUE(preview_->picture().isNull());
    EXPECT_EQ(shown_.fileSize, before.fileSize);
    EXPECT_EQ(shown_.depth, before.depth);
  }
  EXPECT_FALSE(RenderBitmap(services_, previewArgs((folder_ / "missing.bmp").string())));
}

namespace {

// How much of its mask a channel of the test pattern fills.
enum class Level { None, Half, Full };

struct PatternPixel {
  Level r, g, b, a;
};

// Alpha is clear or full only, so that even a one-bit alpha can hold it.
const std::vector<PatternPixel> kLevelPattern = {
    {Level::Full, Level::None, Level::Half, Level::Full},
    {Level::None, Level::Full, Level::None, Level::None},
    {Level::Half, Level::Half, Level::Full, Level::Full},
    {Level::Full, Level::Full, Level::Full, Level::None},
    {Level::None, Level::None, Level::None, Level::Full}};

std::uint32_t stored(std::uint32_t mask, Level level) {
  if (mask == 0 || level == Level::None) return 0;
  const int shift = std::countr_zero(mask);
  const std::uint32_t max = mask >> shift;
  return (level == Level::Full ? max : (max + 1) / 2) << shift;
}

struct MaskCase {
  std::string name;
  int bits;
  int headerSize;
  std::uint32_t red, green, blue, alpha;
  BmpCompression compression = BmpCompression::BitFields;
};

BmpLayout levelLayout(const MaskCase& c) {
  BmpLayout s;
  s.width = 5;
  s.height = 2;
  s.bits = c.bits;
  s.headerSize = c.headerSize;
  s.compression = c.compression;
  s.masks[0] = c.red;
  s.masks[1] = c.green;
  s.masks[2] = c.blue;
  s.alphaMask = c.alpha;
  s.value = [c](int x, int y) {
    const PatternPixel& p = kLevelPattern[static_cast<std::size_t>((x + y) % 5)];
    return stored(c.red, p.r) | stored(c.green, p.g) | stored(c.blue, p.b) | stored(c.alpha, p.a);
  };
  return s;
}

// A full channel must come out 255 and an empty one 0, whatever its width;
// a half-full one near 128 (masks of four bits and more).
bool channelIs(int value, Level level) {
  if (level == Level::None) return value == 0;
  if (level == Level::Full) return value == 255;
  return std::abs(value - 128) <= 8;
}

void expectLevels(const QImage& shown, const MaskCase& c) {
  const QImage image = shown.convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(image.size(), QSize(5, 2));
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 5; ++x) {
      const PatternPixel& p = kLevelPattern[static_cast<std::size_t>((x + y) % 5)];
      const QRgb pixel = image.pixel(x, y);
      SCOPED_TRACE(testing::Message() << x << "," << y << " = " << std::hex << pixel);
      EXPECT_TRUE(channelIs(qRed(pixel), p.r));
      EXPECT_TRUE(channelIs(qGreen(pixel), p.g));
      EXPECT_TRUE(channelIs(qBlue(pixel), p.b));
      EXPECT_TRUE(channelIs(qAlpha(pixel), c.alpha != 0 ? p.a : Level::Full));
    }
  }
}

}  // namespace

TEST_F(RenderTest, NarrowBitFieldAlphaIsWidenedLikeTheColours) {
  for (const MaskCase& c :
       {MaskCase{"1-5-5-5", 16, 108, 0x7C00, 0x03E0, 0x001F, 0x8000},
        MaskCase{"4-4-4-4", 16, 56, 0x0F00, 0x00F0, 0x000F, 0xF000},
        MaskCase{"2-10-10-10", 32, 124, 0x3FF00000, 0x000FFC00, 0x3FF, 0xC0000000},
        // Newer headers name the alpha of plain 32-bit pixels too.
        MaskCase{"plain 32 bit", 32, 124, 0xFF0000, 0xFF00, 0xFF, 0xFF000000,
                 BmpCompression::Rgb}}) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(
        RenderBitmap(services_, previewArgs(file(c.name + ".bmp", makeBmp(levelLayout(c))))));
    expectLevels(preview_->picture().image(), c);
  }
}

TEST_F(RenderTest, ColourMasksWiderThanEightBitsAreScaledDown) {
  for (const MaskCase& c : {MaskCase{"11-11-10", 32, 40, 0xFFE00000, 0x001FFC00, 0x3FF, 0},
                            MaskCase{"9-bit green", 32, 40, 0x01FE0000, 0x0001FF00, 0xFF, 0},
                            MaskCase{"17-bit green", 32, 108, 0xFE000000, 0x01FFFF00, 0xFF, 0}}) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(
        RenderBitmap(services_, previewArgs(file(c.name + ".bmp", makeBmp(levelLayout(c))))));
    expectLevels(preview_->picture().image(), c);
    EXPECT_EQ(shown_.depth, "??ﾋﾞｯﾄ ｶｽﾀﾑｶﾗｰ");
  }
}

TEST_F(RenderTest, FiftySixByteHeaderShowsTheSamePixelsAsTheCommonHeaders) {
  BmpLayout alpha = levelLayout({"8-8-8-8", 32, 108, 0xFF0000, 0xFF00, 0xFF, 0xFF000000});
  BmpLayout rgb565 = direct(16, BmpCompression::BitFields, pack565);
  rgb565.masks[0] = 0xF800;
  rgb565.masks[1] = 0x07E0;
  rgb565.masks[2] = 0x001F;
  const std::vector<std::pair<std::string, BmpLayout>> layouts = {
      {"alpha bit fields", alpha},
      {"5-6-5", rgb565},
      {"24 bit", direct(24, BmpCompression::Rgb, pack888)},
      {"8 bit", indexed(8)},
      {"RLE8", indexed(8, BmpCompression::Rle8)}};
  for (const auto& [name, common] : layouts) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(RenderBitmap(services_, previewArgs(file(name + " common.bmp", makeBmp(common)))));
    const QImage expected = preview_->picture().image().convertToFormat(QImage::Format_ARGB32);
    const std::string depth = shown_.depth;
    BmpLayout v3 = common;
    v3.headerSize = 56;
    preview_->clearPicture();
    EXPECT_TRUE(RenderBitmap(services_, previewArgs(file(name + " 56.bmp", makeBmp(v3)))));
    EXPECT_EQ(preview_->picture().image().convertToFormat(QImage::Format_ARGB32), expected);
    EXPECT_EQ(shown_.depth, depth);
    EXPECT_EQ(shown_.width, common.width);
  }
}
