#pragma once
// The pixels of an uncompressed device-independent bitmap as 0xAARRGGBB
// words, top row first. Every channel of a bit-field pixel is brought to
// eight bits by its own mask, whatever the mask's width, so a one-bit alpha
// is either clear or opaque and an eleven-bit green keeps its brightness.
#include <cstdint>
#include <optional>
#include <vector>

#include "core/picture/BitmapHeader.h"

namespace tossbox {

// The most pixels decoded: 128 MiB of 32-bit words, the budget Qt's own
// image readers keep, so that a small file of one-bit rows cannot ask for
// gigabytes.
inline constexpr std::uint64_t kMaxDecodedPixels = std::uint64_t{1} << 25;

struct DibPixels {
  int width = 0;
  int height = 0;
  bool hasAlpha = false;  // the header names an alpha channel
  std::vector<std::uint32_t> argb;
};

// The channel of `pixel` under `mask`, scaled to 0..255 with rounding; 0 for
// an empty mask.
[[nodiscard]] std::uint8_t maskedChannel(std::uint32_t pixel, std::uint32_t mask);

// Whether decodeDibPixels can read the bitmap: no compression other than bit
// fields, and a depth of 1, 2, 4, 8, 16, 24 or 32 bits.
[[nodiscard]] bool dibPixelsDecodable(const DibHeader& header);

// `colourTable` holds the header's palette entries (it may be empty for
// direct colour); `bits` starts at the first stored row. Nothing when the
// bitmap is not decodable, has more than kMaxDecodedPixels, or its rows do
// not all lie inside `bits`. Indices past the colour table give opaque black.
[[nodiscard]] std::optional<DibPixels> decodeDibPixels(const DibHeader& header, Bytes colourTable,
                                                       Bytes bits);

}  // namespace tossbox
