#pragma once
// The start of a GIF file: the signature (checked, not kept), the logical screen descriptor as
// read, and the global colour table.
#include <array>
#include <cstdint>

#include "core/gif/GifByteReader.h"
#include "core/gif/GifColorMap.h"

namespace tossbox {

class TGIFHeader {
 public:
  static constexpr std::size_t kDescriptorSize = 7;

  // Raises "Invalid GIF signature" unless the first three bytes are "GIF" in any case, and
  // "Premature end of data" when the descriptor or the table is cut off.
  void read(GifByteReader& reader);
  // An empty image's header: screen 0 x 0, no global table.
  void clear();

  [[nodiscard]] int width() const { return descriptor_[0] | (descriptor_[1] << 8); }
  [[nodiscard]] int height() const { return descriptor_[2] | (descriptor_[3] << 8); }
  [[nodiscard]] std::uint8_t packed() const { return descriptor_[4]; }
  [[nodiscard]] bool hasGlobalColorTable() const { return (packed() & 0x80) != 0; }
  [[nodiscard]] int colorResolutionBits() const { return ((packed() >> 4) & 7) + 1; }
  [[nodiscard]] bool sortFlag() const { return (packed() & 0x08) != 0; }
  [[nodiscard]] int tableSizeExponent() const { return packed() & 7; }
  [[nodiscard]] std::uint8_t backgroundIndex() const { return descriptor_[5]; }
  [[nodiscard]] std::uint8_t aspectRatio() const { return descriptor_[6]; }
  [[nodiscard]] const std::array<std::uint8_t, kDescriptorSize>& descriptor() const {
    return descriptor_;
  }

  [[nodiscard]] const TGIFGlobalColorMap& colorMap() const { return colorMap_; }

 private:
  std::array<std::uint8_t, kDescriptorSize> descriptor_{};
  TGIFGlobalColorMap colorMap_;
};

}  // namespace tossbox
