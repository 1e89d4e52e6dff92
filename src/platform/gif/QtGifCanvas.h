#pragma once
// The canvas GIF painters draw on in the program: a picture control's backing QImage. After each
// frame the painter asks for an update, which the control turns into a repaint.
#include <QImage>
#include <functional>

#include "core/gif/GifCanvas.h"

namespace tossbox {

class QtGifCanvas : public GifPixelCanvas {
 public:
  // `image` must outlive the canvas; it is converted to 32-bit ARGB when it is another format.
  QtGifCanvas(QImage& image, std::function<void()> onUpdate);

  void update(const GifRect& rect) override;
  [[nodiscard]] bool isValid() const override { return !image_.isNull(); }

 protected:
  [[nodiscard]] GifPixelView pixels() override;

 private:
  QImage& image_;
  std::function<void()> onUpdate_;
};

}  // namespace tossbox
