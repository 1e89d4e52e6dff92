#include "core/picture/JpegPlan.h"

namespace tossbox {

namespace {

// The smallest scale libjpeg offers whose picture still covers the fitted size, so a picture
// that would be shrunk anyway is decoded smaller.
int coveringDenominator(const JpegHeaderFacts& facts, const FitResult& fit) {
  for (const int denominator : {8, 4}) {
    if (jpegScaledSize(facts.width, denominator) >= fit.width &&
        jpegScaledSize(facts.height, denominator) >= fit.height) {
      return denominator;
    }
  }
  return 2;
}

}  // namespace

JpegPlan planJpegDecode(const JpegHeaderFacts& facts, bool fast, int boxHeight, int boxWidth,
                        int mode, int displayDepth) {
  JpegPlan plan;
  plan.width = fast ? jpegScaledSize(facts.width, 2) : facts.width;
  plan.height = fast ? jpegScaledSize(facts.height, 2) : facts.height;
  const FitResult fit = FitRectangle(mode, plan.width, boxHeight, boxWidth, plan.height);
  plan.options.scaleDenominator = fast ? coveringDenominator(facts, fit) : 1;
  plan.options.dct = fast ? JpegDct::Fast : JpegDct::Accurate;
  plan.options.pixels = displayDepth <= 8 ? JpegPixels::Indexed8 : JpegPixels::Bgra32;
  plan.options.showEachScan = facts.multiScan;
  return plan;
}

bool sameDecode(const JpegDecodeOptions& a, const JpegDecodeOptions& b) {
  return a.scaleDenominator == b.scaleDenominator && a.dct == b.dct && a.pixels == b.pixels &&
         a.showEachScan == b.showEachScan && a.scanLimit == b.scanLimit &&
         a.maxOutputPixels == b.maxOutputPixels;
}

}  // namespace tossbox
