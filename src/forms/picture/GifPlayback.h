#pragma once
// The animation of a GIF picture in one picture control: the control's own
// copy of the image, whose painter draws the frames into the control's
// backing image, which the control shows like any picture. Members go in
// reverse order, so the copy (and with it its painter) is stopped before the
// canvas and the backing image it draws on.
#include <QImage>
#include <functional>

#include "core/gif/GifImage.h"
#include "platform/gif/QtGifCanvas.h"

namespace tossbox {

class GifPictureSource;

class GifPlayback {
 public:
  // `size` is the still's size, which the frames are drawn at. `repaint`
  // must only schedule a repaint. Raises std::bad_alloc when the copy or the
  // backing image cannot be made.
  GifPlayback(const GifPictureSource& source, QSize size, std::function<void()> repaint);
  GifPlayback(const GifPlayback&) = delete;
  GifPlayback& operator=(const GifPlayback&) = delete;

  // Called on every paint: the first call starts the animation, later calls
  // keep it running (or, once it has played out, keep its last frame).
  void draw();
  [[nodiscard]] const QImage& frame() const { return backing_; }
  [[nodiscard]] bool running() const { return image_.painterCount() > 0; }

 private:
  QImage backing_;
  QtGifCanvas canvas_;
  TGIFImage image_;
};

}  // namespace tossbox
