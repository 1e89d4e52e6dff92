#include "platform/gif/QtGifCanvas.h"

namespace tossbox {

QtGifCanvas::QtGifCanvas(QImage& image, std::function<void()> onUpdate)
    : image_(image), onUpdate_(std::move(onUpdate)) {}

void QtGifCanvas::update(const GifRect&) {
  if (onUpdate_) onUpdate_();
}

GifPixelView QtGifCanvas::pixels() {
  // GIF pixels are opaque or left alone, so premultiplied and plain ARGB store them alike.
  const auto format = image_.format();
  if (format != QImage::Format_ARGB32 && format != QImage::Format_ARGB32_Premultiplied &&
      format != QImage::Format_RGB32) {
    image_ = image_.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  }
  if (image_.isNull()) return {};
  return {reinterpret_cast<std::uint32_t*>(image_.bits()), image_.width(), image_.height(),
          image_.bytesPerLine() / 4};
}

}  // namespace tossbox
