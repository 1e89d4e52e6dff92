#pragma once
// Sizes and places a picture control inside a box: small pictures keep their
// natural size (mode 0) or are enlarged (mode 1), large ones are scaled down
// with their side ratio kept. The arithmetic is single precision with
// truncation toward zero, so every window places pictures to the same pixel.

namespace tossbox {

struct FitResult {
  int height = 0;
  int width = 0;
  int top = 0;
  int left = 0;
};

// pictureWidth and pictureHeight must be greater than 0.
[[nodiscard]] FitResult FitRectangle(int mode, int pictureWidth, int boxHeight, int boxWidth,
                                     int pictureHeight);

}  // namespace tossbox
