#include "core/picture/FitRectangle.h"

#include <gtest/gtest.h>

using tossbox::FitRectangle;
using tossbox::FitResult;

namespace {
void expectFit(const FitResult& fit, int width, int height, int left, int top) {
  EXPECT_EQ(fit.width, width);
  EXPECT_EQ(fit.height, height);
  EXPECT_EQ(fit.left, left);
  EXPECT_EQ(fit.top, top);
}
}  // namespace

TEST(FitRectangle, PreviewBoxExamples) {
  // Smaller than the box: natural size, centred.
  expectFit(FitRectangle(0, 100, 140, 181, 90), 100, 90, 44, 30);
  // Wide and larger: scaled to the box width.
  expectFit(FitRectangle(0, 800, 140, 181, 600), 181, 135, 4, 7);
  // Wide, but the first fit overflows the height: refit keeps the side ratio.
  expectFit(FitRectangle(0, 640, 140, 181, 600), 149, 140, 19, 5);
  // The missing-file picture.
  expectFit(FitRectangle(0, 54, 140, 181, 54), 54, 54, 67, 48);
}

TEST(FitRectangle, ModeOneEnlargesToTheBox) {
  const FitResult fit = FitRectangle(1, 50, 768, 1024, 80);
  EXPECT_EQ(fit.width, 480);
  EXPECT_EQ(fit.height, 768);
  // Mode 0 keeps the natural size of the same picture.
  const FitResult natural = FitRectangle(0, 50, 768, 1024, 80);
  EXPECT_EQ(natural.width, 50);
  EXPECT_EQ(natural.height, 80);
  EXPECT_EQ(natural.left, fit.left);
  EXPECT_EQ(natural.top, fit.top);
}

TEST(FitRectangle, UprightPictureTallerThanTheBox) {
  // Upright, scaled to the box height, centred horizontally.
  const FitResult fit = FitRectangle(0, 300, 140, 181, 600);
  EXPECT_EQ(fit.height, 140);
  EXPECT_EQ(fit.width, 70);
  EXPECT_EQ(fit.top, 5);
  EXPECT_EQ(fit.left, (181 - 70) / 2 + 4);
}
