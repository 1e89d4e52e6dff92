#include "core/picture/DibPixels.h"

#include <bit>

namespace tossbox {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000;

std::vector<std::uint32_t> paletteOf(const DibHeader& h, Bytes table) {
  std::vector<std::uint32_t> colours;
  const std::size_t entrySize = h.paletteEntrySize;
  for (std::size_t at = 0; entrySize >= 3 && fits(table, at, entrySize); at += entrySize) {
    colours.push_back(kOpaque | (std::uint32_t{table[at + 2]} << 16) |
                      (std::uint32_t{table[at + 1]} << 8) | table[at]);
  }
  return colours;
}

std::uint32_t packedValue(Bytes row, int x, int bits) {
  if (bits >= 8) {
    const std::size_t at = static_cast<std::size_t>(x) * static_cast<std::size_t>(bits / 8);
    std::uint32_t value = 0;
    for (int b = 0; b < bits / 8; ++b) value |= std::uint32_t{row[at + b]} << (8 * b);
    return value;
  }
  const std::size_t bit = static_cast<std::size_t>(x) * static_cast<std::size_t>(bits);
  const int shift = 8 - bits - static_cast<int>(bit % 8);
  return (row[bit / 8] >> shift) & ((1u << bits) - 1);
}

std::uint32_t directColour(const DibHeader& h, std::uint32_t value) {
  if (h.bitCount == 24) return kOpaque | value;
  const std::uint32_t alpha = h.alphaMask != 0 ? maskedChannel(value, h.alphaMask) : 0xFF;
  return (alpha << 24) | (std::uint32_t{maskedChannel(value, h.redMask)} << 16) |
         (std::uint32_t{maskedChannel(value, h.greenMask)} << 8) | maskedChannel(value, h.blueMask);
}

}  // namespace

std::uint8_t maskedChannel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const std::uint64_t max = mask >> shift;
  const std::uint64_t value = (pixel & mask) >> shift;
  return static_cast<std::uint8_t>((value * 255 + max / 2) / max);
}

bool dibPixelsDecodable(const DibHeader& h) {
  if (dibIsCompressed(h)) return false;
  switch (h.bitCount) {
    case 1:
    case 2:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      return true;
    default:
      return false;
  }
}

std::optional<DibPixels> decodeDibPixels(const DibHeader& h, Bytes colourTable, Bytes bits) {
  if (!dibPixelsDecodable(h) || !fits(bits, 0, dibUncompressedBytes(h))) return std::nullopt;
  if (std::uint64_t(h.width) * std::uint64_t(h.height) > kMaxDecodedPixels) return std::nullopt;
  const std::vector<std::uint32_t> palette =
      h.bitCount <= 8 ? paletteOf(h, colourTable) : std::vector<std::uint32_t>{};
  const std::size_t stride = static_cast<std::size_t>(dibUncompressedBytes(h) / h.height);
  DibPixels pixels;
  pixels.width = h.width;
  pixels.height = h.height;
  pixels.hasAlpha = h.bitCount >= 16 && h.alphaMask != 0;
  pixels.argb.resize(static_cast<std::size_t>(h.width) * static_cast<std::size_t>(h.height));
  for (int y = 0; y < h.height; ++y) {
    const int stored = h.topDown ? y : h.height - 1 - y;
    const Bytes row = bits.subspan(static_cast<std::size_t>(stored) * stride, stride);
    std::uint32_t* out = pixels.argb.data() + static_cast<std::size_t>(y) * h.width;
    for (int x = 0; x < h.width; ++x) {
      const std::uint32_t value = packedValue(row, x, h.bitCount);
      if (h.bitCount > 8) {
        out[x] = directColour(h, value);
      } else {
        out[x] = value < palette.size() ? palette[value] : kOpaque;
      }
    }
  }
  return pixels;
}

}  // namespace tossbox
