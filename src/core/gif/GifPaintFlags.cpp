#include "core/gif/GifPaintFlags.h"

#include "core/gif/GifBitmap.h"

namespace tossbox {

namespace {

// The nearest of the six levels 0, 51, ..., 255, as 0..5.
int halftoneLevel(std::uint32_t channel) {
  return static_cast<int>((channel + 25) / 51);
}

}  // namespace

const std::array<std::uint32_t, 216>& halftonePalette() {
  static const std::array<std::uint32_t, 216> palette = [] {
    std::array<std::uint32_t, 216> result{};
    std::size_t i = 0;
    for (int r = 0; r < 6; ++r) {
      for (int g = 0; g < 6; ++g) {
        for (int b = 0; b < 6; ++b) {
          result[i++] =
              gifArgb(static_cast<std::uint8_t>(r * 51), static_cast<std::uint8_t>(g * 51),
                      static_cast<std::uint8_t>(b * 51));
        }
      }
    }
    return result;
  }();
  return palette;
}

std::uint32_t nearestHalftone(std::uint32_t argb) {
  const int red = halftoneLevel((argb >> 16) & 0xFF);
  const int green = halftoneLevel((argb >> 8) & 0xFF);
  const int blue = halftoneLevel(argb & 0xFF);
  return halftonePalette()[static_cast<std::size_t>(red * 36 + green * 6 + blue)];
}

const std::array<std::uint32_t, 16>& systemPalette16() {
  static const std::array<std::uint32_t, 16> palette = {
      gifArgb(0, 0, 0),       gifArgb(128, 0, 0),   gifArgb(0, 128, 0),   gifArgb(128, 128, 0),
      gifArgb(0, 0, 128),     gifArgb(128, 0, 128), gifArgb(0, 128, 128), gifArgb(192, 192, 192),
      gifArgb(128, 128, 128), gifArgb(255, 0, 0),   gifArgb(0, 255, 0),   gifArgb(255, 255, 0),
      gifArgb(0, 0, 255),     gifArgb(255, 0, 255), gifArgb(0, 255, 255), gifArgb(255, 255, 255),
  };
  return palette;
}

}  // namespace tossbox
