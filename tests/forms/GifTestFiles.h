#pragma once
// GIF files for the forms tests, made with the writer of the GIF reader's
// own tests: blocks of one colour index each, with their delays.
#include <cstdint>
#include <vector>

#include "../core/gif/GifTestWriter.h"

namespace gif_files {

using tossbox::gif_test::GifTestImage;
using tossbox::gif_test::GifTestWriter;

// Indices into kColours.
inline constexpr std::uint8_t kWhiteIndex = 0;
inline constexpr std::uint8_t kRedIndex = 1;
inline constexpr std::uint8_t kGreenIndex = 2;
inline constexpr std::uint8_t kBlueIndex = 3;
inline const std::vector<std::uint32_t> kColours = {0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF};

inline GifTestImage block(int width, int height, std::uint8_t index) {
  GifTestImage image;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<std::size_t>(width) * height, index);
  return image;
}

struct Frame {
  std::uint8_t index;
  int delay;  // hundredths of a second
};

// An animation of whole-screen frames that repeats without end.
inline std::vector<std::uint8_t> animation(int width, int height,
                                           const std::vector<Frame>& frames) {
  GifTestWriter writer;
  writer.header(width, height, kColours).loop(0);
  for (const Frame& frame : frames)
    writer.control(1, frame.delay).image(block(width, height, frame.index));
  return writer.trailer().bytes();
}

}  // namespace gif_files
