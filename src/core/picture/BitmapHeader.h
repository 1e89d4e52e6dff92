#pragma once
// The facts of a device-independent bitmap's own header: a BMP file's, or a
// packed DIB inside a metafile record. The pixels themselves are decoded
// elsewhere; this is what says how deep the file is, whether its header is
// sound enough to hand on, and where its colour table and bits lie.
#include <cstdint>
#include <optional>

#include "core/picture/LittleEndian.h"
#include "core/picture/PixelDepth.h"

namespace tossbox {

enum class DibHeaderKind { Os2Core, Os2V2, Info, V2, V3, V4, V5 };

enum class DibCompression {
  Rgb,
  Rle8,
  Rle4,
  BitFields,
  AlphaBitFields,
  Jpeg,
  Png,
  Huffman1D,
  Rle24
};

struct DibHeader {
  DibHeaderKind kind = DibHeaderKind::Info;
  std::uint32_t headerSize = 0;
  std::int32_t width = 0;   // always > 0
  std::int32_t height = 0;  // always > 0; see topDown
  bool topDown = false;
  std::uint16_t bitCount = 0;
  DibCompression compression = DibCompression::Rgb;
  std::uint32_t imageSize = 0;
  std::uint32_t redMask = 0;
  std::uint32_t greenMask = 0;
  std::uint32_t blueMask = 0;
  std::uint32_t alphaMask = 0;
  // Bytes of colour masks stored after a 40-byte header (BI_BITFIELDS).
  std::uint32_t maskBytes = 0;
  std::uint32_t paletteEntries = 0;
  std::uint32_t paletteEntrySize = 4;  // 3 for the OS/2 core header
};

inline constexpr std::size_t kBitmapFileHeaderSize = 14;

struct BitmapFile {
  std::uint32_t bitsOffset = 0;
  DibHeader dib;
};

// What the colour table of a packed DIB holds: colours, or (in metafile
// records) 16-bit indices into the selected palette.
enum class DibColours { Rgb, PaletteIndices };

// Header checks only: sizes, planes, bit count against compression, and a
// colour table that lies inside `dib`.
[[nodiscard]] std::optional<DibHeader> parseDibHeader(Bytes dib,
                                                      DibColours colours = DibColours::Rgb);

// A "BM" file whose header is sound and whose uncompressed bits are all there.
[[nodiscard]] std::optional<BitmapFile> parseBitmapFile(Bytes file);

[[nodiscard]] PixelDepth dibPixelDepth(const DibHeader& header);

// Offset of the colour table from the start of the info header.
[[nodiscard]] std::uint64_t dibColourTableOffset(const DibHeader& header);
[[nodiscard]] std::uint64_t dibColourTableBytes(const DibHeader& header);
// Bytes of the pixel rows when they are stored uncompressed.
[[nodiscard]] std::uint64_t dibUncompressedBytes(const DibHeader& header);
[[nodiscard]] bool dibIsCompressed(const DibHeader& header);

}  // namespace tossbox
