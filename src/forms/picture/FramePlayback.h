#pragma once
// The animation of a picture read frame by frame (an animated WebP) in one picture control:
// each frame for its own delay, from the control's first paint, again and again or as often as
// the file says, then resting on the last frame.
#include <QImage>
#include <QTimer>
#include <functional>
#include <memory>

#include "platform/picture/ImageFileReader.h"

namespace tossbox {

class FramePlayback {
 public:
  // `repaint` must only schedule a repaint.
  FramePlayback(std::shared_ptr<const ImageFrames> frames, std::function<void()> repaint);
  FramePlayback(const FramePlayback&) = delete;
  FramePlayback& operator=(const FramePlayback&) = delete;

  // Called on every paint: the first call starts the animation.
  void draw();
  [[nodiscard]] const QImage& frame() const;
  [[nodiscard]] bool running() const { return timer_.isActive(); }

 private:
  void advance();

  std::shared_ptr<const ImageFrames> frames_;
  std::function<void()> repaint_;
  QTimer timer_;
  std::size_t shown_ = 0;
  int playsLeft_ = 0;  // further plays after this one; negative for ever
  bool started_ = false;
};

}  // namespace tossbox
