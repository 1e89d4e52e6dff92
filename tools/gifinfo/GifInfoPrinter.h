#pragma once
// What gifinfo prints about a GIF, and the frames it shows, composited as the program paints them.
#include <cstdint>
#include <functional>
#include <ostream>
#include <span>
#include <vector>

#include "core/gif/GifImage.h"

namespace tossbox {

// Header, colour tables, every frame with its extensions and descriptor, version, colour
// resolution and loop count. `file` gives the signature, which the image does not keep.
void printGifStructure(std::ostream& out, const TGIFImage& image,
                       std::span<const std::uint8_t> file);

// Paints one pass of the animation into a transparent canvas of the logical screen's size,
// without waiting for the delays, and hands the canvas (8-bit RGBA) to `shown` after each frame
// with the index of the frame just painted.
void compositeFrames(TGIFImage& image,
                     const std::function<void(int, const std::vector<std::uint8_t>&)>& shown);

}  // namespace tossbox
