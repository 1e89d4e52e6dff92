#pragma once
// A BMP file decoded as the bitmap renderer shows it, apart from the control it goes into: the
// picture, and the facts the information window prints. The renderer and the prefetch both decode
// through here, so that a prefetched bitmap is the picture a fresh decode gives.
#include <QImage>
#include <cstdint>
#include <optional>
#include <span>

#include "core/picture/PixelDepth.h"

namespace tossbox {

struct DecodedBitmap {
  // As painted: indexed pictures turned to direct colour when decoded fast.
  QImage image;
  // The bottom-left pixel as 0x00BBGGRR flagged as the transparent colour; white for one bit.
  std::int32_t transparentColour = 0;
  PixelDepth depth = PixelDepth::Device;
  bool fast = true;

  [[nodiscard]] std::uint64_t memoryCost() const {
    return static_cast<std::uint64_t>(image.sizeInBytes());
  }
};

// Nothing when the bytes are no BMP file whose picture decodes.
[[nodiscard]] std::optional<DecodedBitmap> decodeBitmap(std::span<const std::uint8_t> bytes,
                                                        bool fast);

}  // namespace tossbox
