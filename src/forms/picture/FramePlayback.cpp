#include "forms/picture/FramePlayback.h"

namespace tossbox {

FramePlayback::FramePlayback(std::shared_ptr<const ImageFrames> frames,
                             std::function<void()> repaint)
    : frames_(std::move(frames)), repaint_(std::move(repaint)) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [this] { advance(); });
  playsLeft_ = frames_->facts.loopCount;
}

void FramePlayback::draw() {
  if (started_ || frames_->frames.size() < 2) return;
  started_ = true;
  timer_.start(frames_->delaysMs.front());
}

const QImage& FramePlayback::frame() const {
  return frames_->frames[shown_];
}

void FramePlayback::advance() {
  const std::size_t count = frames_->frames.size();
  if (shown_ + 1 == count) {
    if (playsLeft_ == 0) return;
    if (playsLeft_ > 0) --playsLeft_;
  }
  shown_ = (shown_ + 1) % count;
  timer_.start(frames_->delaysMs[shown_]);
  repaint_();
}

}  // namespace tossbox
