#include "core/picture/InfoHeaderCopy.h"

#include <algorithm>

namespace tossbox {

namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::size_t kUsedColoursAt = 32;

void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
  for (int b = 0; b < 4; ++b) out[at + b] = static_cast<std::uint8_t>(value >> (8 * b));
}

bool fitsInfoHeader(const DibHeader& h) {
  return h.kind != DibHeaderKind::Os2Core &&
         (h.compression == DibCompression::Rgb || h.compression == DibCompression::Rle8 ||
          h.compression == DibCompression::Rle4);
}

}  // namespace

std::optional<std::vector<std::uint8_t>> withInfoHeader(Bytes file, const BitmapFile& parsed) {
  const DibHeader& h = parsed.dib;
  if (!fitsInfoHeader(h)) return std::nullopt;
  const std::size_t oldHeaderEnd = kBitmapFileHeaderSize + h.headerSize;
  if (!fits(file, 0, oldHeaderEnd) || parsed.bitsOffset < oldHeaderEnd) return std::nullopt;
  std::vector<std::uint8_t> out(file.begin(), file.begin() + kBitmapFileHeaderSize);
  out.resize(kBitmapFileHeaderSize + kInfoHeaderSize, 0);
  const std::size_t kept = std::min<std::size_t>(h.headerSize, kInfoHeaderSize);
  std::copy_n(file.begin() + kBitmapFileHeaderSize, kept, out.begin() + kBitmapFileHeaderSize);
  put32(out, kBitmapFileHeaderSize, kInfoHeaderSize);
  // A short header leaves the colour count out; the parsed one says it.
  put32(out, kBitmapFileHeaderSize + kUsedColoursAt, h.bitCount <= 8 ? h.paletteEntries : 0);
  out.insert(out.end(), file.begin() + oldHeaderEnd, file.end());
  const std::size_t newHeaderEnd = kBitmapFileHeaderSize + kInfoHeaderSize;
  put32(out, 2, static_cast<std::uint32_t>(out.size()));
  put32(out, 10, static_cast<std::uint32_t>(parsed.bitsOffset - oldHeaderEnd + newHeaderEnd));
  return out;
}

}  // namespace tossbox
