#include "forms/picture/GifPictureSource.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/gif/QtGifCanvas.h"

namespace tossbox {

namespace {

// 4096 x 4096: a GIF's logical screen may claim 65535 x 65535 while its
// frames are tiny, and no control shows more than a screen.
constexpr std::int64_t kShownPixelBudget = std::int64_t{1} << 24;

QSize shownSize(int width, int height) {
  const std::int64_t pixels = std::int64_t{width} * height;
  if (pixels <= kShownPixelBudget) return {width, height};
  const double scale = std::sqrt(static_cast<double>(kShownPixelBudget) / pixels);
  return {std::max(1, static_cast<int>(width * scale)),
          std::max(1, static_cast<int>(height * scale))};
}

}  // namespace

QImage drawGifStill(const TGIFImage& image) {
  if (image.empty() || image.width() <= 0 || image.height() <= 0) return {};
  QImage still(shownSize(image.width(), image.height()), QImage::Format_ARGB32_Premultiplied);
  if (still.isNull()) return {};
  still.fill(Qt::transparent);
  QtGifCanvas canvas(still, {});
  image.frame(0).draw(canvas, GifRect{0, 0, still.width(), still.height()},
                      image.paintFlags().has(PaintFlag::pfTransparent));
  return still;
}

}  // namespace tossbox
