#pragma once
// The single byte 0x3B (";") that ends a GIF file.
#include <cstdint>

#include "core/gif/GifByteReader.h"
#include "core/gif/GifEvents.h"

namespace tossbox {

class TGIFTrailer {
 public:
  static constexpr std::uint8_t kByte = 0x3B;

  // Reads the trailer. Another byte gives the warning "Invalid Image trailer"; a file that simply
  // ends is accepted.
  static void read(GifByteReader& reader, const GifWarningSink& warn);
};

}  // namespace tossbox
