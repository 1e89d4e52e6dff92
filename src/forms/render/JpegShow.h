#pragma once
// Decoding a JPEG into a target picture control: the picture shown scan by
// scan while a file of several scans decodes, and the progress handler told
// starting, running with the percentage, and ending.
#include <memory>
#include <vector>

#include "core/picture/JpegDecoder.h"
#include "forms/picture/Picture.h"
#include "forms/render/RenderCall.h"

namespace tossbox {

// Decodes `data` into `target` with `source` attached to every picture it
// sets. False when nothing could be decoded; the target then keeps what it had.
[[nodiscard]] bool decodeJpegInto(PictureControl& target, std::span<const std::uint8_t> data,
                                  const JpegDecodeOptions& options,
                                  const std::shared_ptr<const Picture::Source>& source,
                                  RenderServices& services);

// Puts a picture decoded before (by the prefetch) into `target`, telling the progress handler
// what the decode told: starting, each percentage it reached, and the end.
void showDecodedJpeg(PictureControl& target, const QImage& image, const std::vector<int>& percents,
                     const std::shared_ptr<const Picture::Source>& source,
                     RenderServices& services);

// 24-bit output, or 256 colours on a display of 8 bits or fewer per pixel.
[[nodiscard]] JpegPixels jpegPixelsFor(const RenderServices& services);

}  // namespace tossbox
