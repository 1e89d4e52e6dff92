#include "core/picture/IconImage.h"

#include <algorithm>
#include <array>

namespace tossbox {

namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool alphaIsEmpty(const DibPixels& pixels) {
  return std::all_of(pixels.argb.begin(), pixels.argb.end(),
                     [](std::uint32_t p) { return (p >> 24) == 0; });
}

void makeOpaque(DibPixels& pixels) {
  for (std::uint32_t& p : pixels.argb) p |= 0xFF000000;
}

// Bottom-up rows of one bit per pixel, padded to four bytes; a set bit keeps
// the screen, which the preview shows as transparent.
void applyMask(DibPixels& pixels, Bytes mask) {
  const std::size_t stride = (static_cast<std::size_t>(pixels.width) + 31) / 32 * 4;
  for (int y = 0; y < pixels.height; ++y) {
    const Bytes row =
        mask.subspan(static_cast<std::size_t>(pixels.height - 1 - y) * stride, stride);
    std::uint32_t* out = pixels.argb.data() + static_cast<std::size_t>(y) * pixels.width;
    for (int x = 0; x < pixels.width; ++x) {
      if ((row[static_cast<std::size_t>(x) / 8] >> (7 - x % 8)) & 1) out[x] = 0;
    }
  }
}

}  // namespace

bool iconImageIsPng(Bytes image) {
  return fits(image, 0, kPngSignature.size()) &&
         std::equal(kPngSignature.begin(), kPngSignature.end(), image.begin());
}

std::optional<DibPixels> decodeIconBitmap(Bytes image) {
  auto parsed = parseDibHeader(image);
  if (!parsed || parsed->compression != DibCompression::Rgb || parsed->topDown) return std::nullopt;
  DibHeader colour = *parsed;
  colour.height = parsed->height / 2;
  if (colour.height <= 0) return std::nullopt;
  // The high byte of a 32-bit icon pixel is its alpha.
  if (colour.bitCount == 32) colour.alphaMask = 0xFF000000;
  const std::uint64_t tableAt = dibColourTableOffset(colour);
  const std::uint64_t bitsAt = tableAt + dibColourTableBytes(colour);
  if (!fits(image, bitsAt, 0)) return std::nullopt;
  const Bytes table = image.subspan(tableAt, dibColourTableBytes(colour));
  const Bytes rows = image.subspan(bitsAt);
  auto pixels = decodeDibPixels(colour, table, rows);
  if (!pixels) return std::nullopt;
  if (colour.bitCount == 32 && !alphaIsEmpty(*pixels)) return pixels;
  makeOpaque(*pixels);
  pixels->hasAlpha = true;
  const std::uint64_t colourBytes = dibUncompressedBytes(colour);
  const std::uint64_t maskBytes = (std::uint64_t(colour.width) + 31) / 32 * 4 * colour.height;
  // A file cut short in its mask still shows its colours.
  if (fits(rows, colourBytes, maskBytes)) applyMask(*pixels, rows.subspan(colourBytes, maskBytes));
  return pixels;
}

}  // namespace tossbox
