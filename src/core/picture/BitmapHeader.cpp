#include "core/picture/BitmapHeader.h"

#include <cstdlib>

namespace tossbox {

namespace {

constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 28;

std::optional<DibHeaderKind> kindOfHeaderSize(std::uint32_t size) {
  switch (size) {
    case 12:
      return DibHeaderKind::Os2Core;
    case 40:
      return DibHeaderKind::Info;
    case 52:
      return DibHeaderKind::V2;
    case 56:
      return DibHeaderKind::V3;
    case 108:
      return DibHeaderKind::V4;
    case 124:
      return DibHeaderKind::V5;
    default:
      break;
  }
  // The OS/2 2.x header may be cut short anywhere after its first 16 bytes.
  if (size >= 16 && size <= 64 && size % 4 == 0) return DibHeaderKind::Os2V2;
  return std::nullopt;
}

std::optional<DibCompression> compressionOf(std::uint32_t code, DibHeaderKind kind) {
  if (kind == DibHeaderKind::Os2V2) {
    if (code == 3) return DibCompression::Huffman1D;
    if (code == 4) return DibCompression::Rle24;
  }
  switch (code) {
    case 0:
      return DibCompression::Rgb;
    case 1:
      return DibCompression::Rle8;
    case 2:
      return DibCompression::Rle4;
    case 3:
      return DibCompression::BitFields;
    case 4:
      return DibCompression::Jpeg;
    case 5:
      return DibCompression::Png;
    case 6:
      return DibCompression::AlphaBitFields;
    default:
      return std::nullopt;
  }
}

bool bitCountFits(std::uint16_t bits, DibCompression compression) {
  switch (compression) {
    case DibCompression::Rgb:
      return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 ||
             bits == 32 || bits == 64;
    case DibCompression::Rle8:
      return bits == 8;
    case DibCompression::Rle4:
      return bits == 4;
    case DibCompression::BitFields:
    case DibCompression::AlphaBitFields:
      return bits == 16 || bits == 32;
    case DibCompression::Jpeg:
    case DibCompression::Png:
      return bits == 0;
    case DibCompression::Huffman1D:
      return bits == 1;
    case DibCompression::Rle24:
      return bits == 24;
  }
  return false;
}

void setDefaultMasks(DibHeader& h) {
  if (h.bitCount == 16) {
    h.redMask = 0x7C00;
    h.greenMask = 0x03E0;
    h.blueMask = 0x001F;
  } else if (h.bitCount == 32) {
    h.redMask = 0x00FF0000;
    h.greenMask = 0x0000FF00;
    h.blueMask = 0x000000FF;
  }
}

bool usesMasks(const DibHeader& h) {
  return h.compression == DibCompression::BitFields ||
         h.compression == DibCompression::AlphaBitFields;
}

bool carriesAlphaMask(const DibHeader& h) {
  return h.kind == DibHeaderKind::V3 || h.kind == DibHeaderKind::V4 || h.kind == DibHeaderKind::V5;
}

// Without bit fields the colours keep their usual places, but writers of the
// newer headers name an alpha channel in the spare bits, and it is honoured
// when it lies wholly in those bits.
void readUncompressedAlpha(Bytes dib, DibHeader& h) {
  if (!carriesAlphaMask(h) || (h.bitCount != 16 && h.bitCount != 32)) return;
  const std::uint32_t alpha = u32At(dib, 52);
  const std::uint32_t pixelBits = h.bitCount == 32 ? 0xFFFFFFFF : 0xFFFF;
  const std::uint32_t colours = h.redMask | h.greenMask | h.blueMask;
  if ((alpha & ~pixelBits) == 0 && (alpha & colours) == 0) h.alphaMask = alpha;
}

// Reads the masks of a BI_BITFIELDS bitmap: inside headers of 52 bytes and
// more (at offset 40), right after a shorter header otherwise, which is where
// the colour table offset counts them too.
bool readMasks(Bytes dib, DibHeader& h) {
  if (!usesMasks(h)) {
    setDefaultMasks(h);
    readUncompressedAlpha(dib, h);
    return true;
  }
  std::size_t at = 40;
  if (h.headerSize < 52) {
    at = h.headerSize;
    h.maskBytes = h.compression == DibCompression::AlphaBitFields ? 16 : 12;
    if (!fits(dib, at, h.maskBytes)) return false;
  }
  h.redMask = u32At(dib, at);
  h.greenMask = u32At(dib, at + 4);
  h.blueMask = u32At(dib, at + 8);
  if (h.headerSize >= 56 || h.maskBytes == 16) h.alphaMask = u32At(dib, at + 12);
  return true;
}

std::optional<DibHeader> readCoreHeader(Bytes dib) {
  DibHeader h;
  h.kind = DibHeaderKind::Os2Core;
  h.headerSize = 12;
  h.width = u16At(dib, 4);
  h.height = u16At(dib, 6);
  if (u16At(dib, 8) != 1) return std::nullopt;
  h.bitCount = u16At(dib, 10);
  h.paletteEntrySize = 3;
  return h;
}

std::optional<DibHeader> readInfoHeader(Bytes dib, std::uint32_t size, DibHeaderKind kind) {
  DibHeader h;
  h.kind = kind;
  h.headerSize = size;
  const std::int32_t width = i32At(dib, 4);
  const std::int32_t height = i32At(dib, 8);
  if (width <= 0 || height == 0 || height == INT32_MIN) return std::nullopt;
  h.width = width;
  h.topDown = height < 0;
  h.height = std::abs(height);
  if (u16At(dib, 12) != 1) return std::nullopt;
  h.bitCount = u16At(dib, 14);
  const std::uint32_t code = size >= 20 ? u32At(dib, 16) : 0;
  const auto compression = compressionOf(code, kind);
  if (!compression) return std::nullopt;
  h.compression = *compression;
  if (size >= 24) h.imageSize = u32At(dib, 20);
  std::uint32_t used = size >= 36 ? u32At(dib, 32) : 0;
  if (used != 0) h.paletteEntries = used;
  if (!readMasks(dib, h)) return std::nullopt;
  return h;
}

}  // namespace

std::optional<DibHeader> parseDibHeader(Bytes dib, DibColours colours) {
  if (!fits(dib, 0, 4)) return std::nullopt;
  const std::uint32_t size = u32At(dib, 0);
  const auto kind = kindOfHeaderSize(size);
  if (!kind || !fits(dib, 0, size)) return std::nullopt;
  auto header =
      *kind == DibHeaderKind::Os2Core ? readCoreHeader(dib) : readInfoHeader(dib, size, *kind);
  if (!header) return std::nullopt;
  DibHeader& h = *header;
  if (h.width <= 0 || h.height <= 0) return std::nullopt;
  if (static_cast<std::uint64_t>(h.width) * static_cast<std::uint64_t>(h.height) > kMaxPixels) {
    return std::nullopt;
  }
  if (!bitCountFits(h.bitCount, h.compression)) return std::nullopt;
  // Compressed rows cannot be stored top-down.
  if (h.topDown && dibIsCompressed(h)) return std::nullopt;
  if (h.bitCount <= 8 && h.bitCount > 0) {
    const std::uint32_t full = std::uint32_t{1} << h.bitCount;
    if (h.paletteEntries == 0 || h.kind == DibHeaderKind::Os2Core) h.paletteEntries = full;
  }
  if (colours == DibColours::PaletteIndices) h.paletteEntrySize = 2;
  if (!fits(dib, dibColourTableOffset(h), dibColourTableBytes(h))) return std::nullopt;
  return header;
}

std::optional<BitmapFile> parseBitmapFile(Bytes file) {
  if (!fits(file, 0, kBitmapFileHeaderSize) || file[0] != 'B' || file[1] != 'M') {
    return std::nullopt;
  }
  BitmapFile result;
  result.bitsOffset = u32At(file, 10);
  const auto dib = parseDibHeader(file.subspan(kBitmapFileHeaderSize));
  if (!dib) return std::nullopt;
  result.dib = *dib;
  const std::uint64_t tableEnd =
      kBitmapFileHeaderSize + dibColourTableOffset(*dib) + dibColourTableBytes(*dib);
  // Some writers leave the offset 0; the bits then follow the colour table.
  if (result.bitsOffset == 0) result.bitsOffset = static_cast<std::uint32_t>(tableEnd);
  if (result.bitsOffset < kBitmapFileHeaderSize + dib->headerSize) return std::nullopt;
  const std::uint64_t bits = dibIsCompressed(*dib) ? 1 : dibUncompressedBytes(*dib);
  if (!fits(file, result.bitsOffset, bits)) return std::nullopt;
  return result;
}

PixelDepth dibPixelDepth(const DibHeader& h) {
  switch (h.bitCount) {
    case 1:
      return PixelDepth::Bit1;
    case 4:
      return PixelDepth::Bit4;
    case 8:
      return PixelDepth::Bit8;
    case 16:
      if (h.redMask == 0x7C00 && h.greenMask == 0x03E0 && h.blueMask == 0x001F) {
        return PixelDepth::Bit15;
      }
      if (h.redMask == 0xF800 && h.greenMask == 0x07E0 && h.blueMask == 0x001F) {
        return PixelDepth::Bit16;
      }
      return PixelDepth::Custom;
    case 24:
      return PixelDepth::Bit24;
    case 32:
      if (h.redMask == 0x00FF0000 && h.greenMask == 0x0000FF00 && h.blueMask == 0x000000FF) {
        return PixelDepth::Bit32;
      }
      return PixelDepth::Custom;
    default:
      return PixelDepth::Custom;
  }
}

std::uint64_t dibColourTableOffset(const DibHeader& h) {
  return std::uint64_t{h.headerSize} + h.maskBytes;
}

std::uint64_t dibColourTableBytes(const DibHeader& h) {
  return std::uint64_t{h.paletteEntries} * h.paletteEntrySize;
}

std::uint64_t dibUncompressedBytes(const DibHeader& h) {
  const std::uint64_t rowBits = std::uint64_t(h.width) * h.bitCount;
  const std::uint64_t stride = (rowBits + 31) / 32 * 4;
  return stride * std::uint64_t(h.height);
}

bool dibIsCompressed(const DibHeader& h) {
  return h.compression != DibCompression::Rgb && h.compression != DibCompression::BitFields &&
         h.compression != DibCompression::AlphaBitFields;
}

}  // namespace tossbox
