#pragma once
// How a JPEG is decoded for a box: half scale with the fast method for a fast decode (and then
// the smallest scale that still covers the fitted size), full size with the accurate method
// otherwise. The renderer and the prefetch both decode by this plan, so that a prefetched
// picture is the picture a fresh decode gives.
#include "core/picture/FitRectangle.h"
#include "core/picture/JpegDecoder.h"

namespace tossbox {

struct JpegPlan {
  int width = 0;  // the size that is fitted into the box
  int height = 0;
  JpegDecodeOptions options;
};

[[nodiscard]] JpegPlan planJpegDecode(const JpegHeaderFacts& facts, bool fast, int boxHeight,
                                      int boxWidth, int mode, int displayDepth);

[[nodiscard]] bool sameDecode(const JpegDecodeOptions& a, const JpegDecodeOptions& b);

}  // namespace tossbox
