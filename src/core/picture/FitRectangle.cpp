#include "core/picture/FitRectangle.h"

#include <algorithm>

namespace tossbox {

namespace {
int trunc(float value) {
  return static_cast<int>(value);
}
}  // namespace

FitResult FitRectangle(int mode, int pictureWidth, int boxHeight, int boxWidth, int pictureHeight) {
  const int w = pictureWidth;
  const int h = pictureHeight;
  const int bw = boxWidth;
  const int bh = boxHeight;
  float fw = 0;
  float fh = 0;
  int top = 0;
  int left = 0;

  if (h >= w) {
    fh = static_cast<float>(bh);
    fw = static_cast<float>(w) / static_cast<float>(h) * static_cast<float>(bh);
    if (bh > h) {
      top = (bh - h) / 2 + 5;
      left = (bw - w) / 2 + 4;
    } else {
      top = 5;
      left = (bw - trunc(fw)) / 2 + 4;
    }
  } else {
    fw = static_cast<float>(bw);
    fh = static_cast<float>(h) / static_cast<float>(w) * static_cast<float>(bw);
    if (bw > w) {
      left = (bw - w) / 2 + 4;
      top = (bh - h) / 2 + 5;
    } else {
      left = 4;
      top = (bh - trunc(fh)) / 2 + 5;
    }
  }

  // The overflow refits both compare against the sizes of the first fit.
  const int firstHeight = trunc(fh);
  const int firstWidth = trunc(fw);
  if (bh < firstHeight && bh < h) {
    fh = static_cast<float>(bh);
    fw = static_cast<float>(firstWidth) / static_cast<float>(firstHeight) * static_cast<float>(bh);
    left = trunc((static_cast<float>(bw) - fw) / 2 + 4);
    top = 5;
  }
  if (bw < firstWidth && bw < w) {
    fw = static_cast<float>(bw);
    fh = static_cast<float>(firstHeight) / static_cast<float>(firstWidth) * static_cast<float>(bw);
    top = trunc((static_cast<float>(bh) - fh) / 2 + 5);
    left = 4;
  }

  FitResult fit{trunc(fh), trunc(fw), top, left};
  if (mode != 1) {
    fit.height = std::min(fit.height, h);
    fit.width = std::min(fit.width, w);
  }
  return fit;
}

}  // namespace tossbox
