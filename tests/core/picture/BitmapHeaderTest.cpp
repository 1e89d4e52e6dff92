#include "core/picture/BitmapHeader.h"

#include <gtest/gtest.h>

#include "PictureFixtures.h"

using namespace tossbox;
using fixtures::BmpCompression;
using fixtures::BmpLayout;
using fixtures::makeBmp;

namespace {

std::vector<fixtures::Rgb> greys(int count) {
  std::vector<fixtures::Rgb> palette;
  for (int i = 0; i < count; ++i) {
    const auto v = static_cast<std::uint8_t>(i * 255 / std::max(1, count - 1));
    palette.push_back({v, v, v});
  }
  return palette;
}

BmpLayout layout(int bits, BmpCompression compression = BmpCompression::Rgb) {
  BmpLayout s;
  s.width = 5;
  s.height = 3;
  s.bits = bits;
  s.compression = compression;
  if (bits <= 8) s.palette = greys(1 << bits);
  s.value = [bits](int x, int y) {
    return static_cast<std::uint32_t>((x + y) % (bits <= 8 ? (1 << bits) : 256));
  };
  return s;
}

std::string depthOf(const BmpLayout& s) {
  const auto file = parseBitmapFile(makeBmp(s));
  if (!file) return "refused";
  return std::string(pixelDepthText(dibPixelDepth(file->dib)));
}

}  // namespace

TEST(BitmapHeader, DepthTextOfEachKind) {
  EXPECT_EQ(depthOf(layout(1)), "1ﾋﾞｯﾄ RGBｶﾗｰ");
  EXPECT_EQ(depthOf(layout(4)), "4ﾋﾞｯﾄ RGBｶﾗｰ");
  EXPECT_EQ(depthOf(layout(8)), "8ﾋﾞｯﾄ RGBｶﾗｰ");
  EXPECT_EQ(depthOf(layout(4, BmpCompression::Rle4)), "4ﾋﾞｯﾄ RGBｶﾗｰ");
  EXPECT_EQ(depthOf(layout(8, BmpCompression::Rle8)), "8ﾋﾞｯﾄ RGBｶﾗｰ");
  EXPECT_EQ(depthOf(layout(16)), "15ﾋﾞｯﾄ RGBｶﾗｰ");
  EXPECT_EQ(depthOf(layout(24)), "24ﾋﾞｯﾄ RGBｶﾗｰ");
  EXPECT_EQ(depthOf(layout(32)), "32ﾋﾞｯﾄ RGBｶﾗｰ");

  BmpLayout rgb565 = layout(16, BmpCompression::BitFields);
  rgb565.masks[0] = 0xF800;
  rgb565.masks[1] = 0x07E0;
  rgb565.masks[2] = 0x001F;
  EXPECT_EQ(depthOf(rgb565), "16ﾋﾞｯﾄ RGBｶﾗｰ");
  BmpLayout rgb555 = rgb565;
  rgb555.masks[0] = 0x7C00;
  rgb555.masks[1] = 0x03E0;
  EXPECT_EQ(depthOf(rgb555), "15ﾋﾞｯﾄ RGBｶﾗｰ");
  BmpLayout odd16 = rgb565;
  odd16.masks[0] = 0xF000;
  odd16.masks[1] = 0x0F00;
  odd16.masks[2] = 0x00F0;
  EXPECT_EQ(depthOf(odd16), "??ﾋﾞｯﾄ ｶｽﾀﾑｶﾗｰ");

  BmpLayout bgr32 = layout(32, BmpCompression::BitFields);
  bgr32.masks[0] = 0x00FF0000;
  bgr32.masks[1] = 0x0000FF00;
  bgr32.masks[2] = 0x000000FF;
  EXPECT_EQ(depthOf(bgr32), "32ﾋﾞｯﾄ RGBｶﾗｰ");
  bgr32.masks[0] = 0x000000FF;
  bgr32.masks[2] = 0x00FF0000;
  EXPECT_EQ(depthOf(bgr32), "??ﾋﾞｯﾄ ｶｽﾀﾑｶﾗｰ");

  // Masks in a V4 header count for bit fields only.
  BmpLayout v4 = layout(16);
  v4.headerSize = 108;
  v4.masks[0] = 0xF800;
  v4.masks[1] = 0x07E0;
  v4.masks[2] = 0x001F;
  EXPECT_EQ(depthOf(v4), "15ﾋﾞｯﾄ RGBｶﾗｰ");
  v4.compression = BmpCompression::BitFields;
  EXPECT_EQ(depthOf(v4), "16ﾋﾞｯﾄ RGBｶﾗｰ");

  BmpLayout os2 = layout(8);
  os2.headerSize = 12;
  const auto core = parseBitmapFile(makeBmp(os2));
  ASSERT_TRUE(core);
  EXPECT_EQ(core->dib.kind, DibHeaderKind::Os2Core);
  EXPECT_EQ(core->dib.paletteEntrySize, 3u);
  EXPECT_EQ(pixelDepthText(dibPixelDepth(core->dib)), "8ﾋﾞｯﾄ RGBｶﾗｰ");
}

TEST(BitmapHeader, FactsOfTheHeader) {
  BmpLayout s = layout(8);
  s.width = 300;
  s.height = 7;
  s.topDown = true;
  const auto file = parseBitmapFile(makeBmp(s));
  ASSERT_TRUE(file);
  EXPECT_EQ(file->dib.width, 300);
  EXPECT_EQ(file->dib.height, 7);
  EXPECT_TRUE(file->dib.topDown);
  EXPECT_EQ(file->dib.paletteEntries, 256u);
  EXPECT_EQ(file->bitsOffset, 14u + 40u + 256u * 4u);
  EXPECT_EQ(dibUncompressedBytes(file->dib), 300u * 7u);
}

TEST(BitmapHeader, RefusesUnsoundHeaders) {
  const auto bytes = makeBmp(layout(24));
  ASSERT_TRUE(parseBitmapFile(bytes));

  auto wrongMagic = bytes;
  wrongMagic[1] = 'A';
  EXPECT_FALSE(parseBitmapFile(wrongMagic));

  auto planes = bytes;
  planes[14 + 12] = 2;
  EXPECT_FALSE(parseBitmapFile(planes));

  auto bitCount = bytes;
  bitCount[14 + 14] = 7;
  EXPECT_FALSE(parseBitmapFile(bitCount));

  auto headerSize = bytes;
  headerSize[14] = 41;
  EXPECT_FALSE(parseBitmapFile(headerSize));

  auto truncated = bytes;
  truncated.resize(truncated.size() - 4);
  EXPECT_FALSE(parseBitmapFile(truncated));

  auto zeroWidth = bytes;
  zeroWidth[14 + 4] = 0;
  EXPECT_FALSE(parseBitmapFile(zeroWidth));

  // A width and height whose product is beyond any picture shown.
  auto huge = bytes;
  fixtures::ByteVector dims;
  fixtures::put32(dims, 100000);
  fixtures::put32(dims, 100000);
  std::copy(dims.begin(), dims.end(), huge.begin() + 14 + 4);
  EXPECT_FALSE(parseBitmapFile(huge));

  // Palette larger than the file.
  auto palette = makeBmp(layout(8));
  fixtures::ByteVector used;
  fixtures::put32(used, 0x40000000);
  std::copy(used.begin(), used.end(), palette.begin() + 14 + 32);
  EXPECT_FALSE(parseBitmapFile(palette));

  // Run-length rows cannot be top-down, and RLE8 needs 8 bits.
  BmpLayout rle = layout(8, BmpCompression::Rle8);
  rle.topDown = true;
  EXPECT_FALSE(parseBitmapFile(makeBmp(rle)));
  auto rleBits = makeBmp(layout(8, BmpCompression::Rle8));
  rleBits[14 + 14] = 4;
  EXPECT_FALSE(parseBitmapFile(rleBits));

  EXPECT_FALSE(parseBitmapFile({}));
}

TEST(BitmapHeader, PackedDibWithPaletteIndices) {
  // A metafile's DIB may hold 16-bit palette indices instead of colours.
  fixtures::ByteVector dib = fixtures::packedDib(makeBmp(layout(1)));
  const std::size_t bits = dib.size() - 8;  // two 4-byte entries in the file
  fixtures::ByteVector indices(dib.begin(), dib.begin() + 40);
  fixtures::put16(indices, 3);
  fixtures::put16(indices, 5);
  indices.insert(indices.end(), dib.begin() + 48, dib.begin() + 48 + static_cast<long>(bits - 40));
  const auto header = parseDibHeader(indices, DibColours::PaletteIndices);
  ASSERT_TRUE(header);
  EXPECT_EQ(dibColourTableBytes(*header), 4u);
  EXPECT_EQ(header->paletteEntrySize, 2u);
}

TEST(BitmapHeader, MasksFollowAShortHeader) {
  // An OS/2 2.x header cut to 20 bytes naming alpha bit fields: the masks lie at 20, not at 40.
  fixtures::ByteVector dib;
  fixtures::put32(dib, 20);
  fixtures::put32(dib, 1);
  fixtures::put32(dib, 1);
  fixtures::put16(dib, 1);
  fixtures::put16(dib, 32);
  fixtures::put32(dib, 6);
  for (const std::uint32_t mask : {0x0000FF00u, 0x00FF0000u, 0xFF000000u, 0x000000FFu}) {
    fixtures::put32(dib, mask);
  }
  fixtures::put32(dib, 0x11223344);  // the one pixel, where a 40-byte header's red mask would be
  const auto header = parseDibHeader(dib);
  ASSERT_TRUE(header);
  EXPECT_EQ(header->redMask, 0x0000FF00u);
  EXPECT_EQ(header->greenMask, 0x00FF0000u);
  EXPECT_EQ(header->blueMask, 0xFF000000u);
  EXPECT_EQ(header->alphaMask, 0x000000FFu);
  EXPECT_EQ(dibColourTableOffset(*header), 36u);

  // Masks cut short are refused, not read past the bytes given.
  dib.resize(20 + 12);
  EXPECT_FALSE(parseDibHeader(dib));
}
