#include "forms/picture/PictureControl.h"

#include <QPainter>
#include <exception>

#include "forms/picture/FramePlayback.h"
#include "forms/picture/GifPictureSource.h"
#include "forms/picture/GifPlayback.h"
#include "forms/picture/ImageFileSource.h"

namespace tossbox {

namespace {

// The animation `picture` needs in a control, or null for a still picture.
// A copy that cannot be made leaves the picture still rather than failing.
std::unique_ptr<GifPlayback> playbackFor(const Picture& picture, std::function<void()> repaint) {
  const auto* gif = dynamic_cast<const GifPictureSource*>(picture.source().get());
  if (gif == nullptr || !gif->animated() || picture.isNull()) return nullptr;
  try {
    return std::make_unique<GifPlayback>(*gif, picture.image().size(), std::move(repaint));
  } catch (const std::exception&) {
    return nullptr;
  }
}

std::unique_ptr<FramePlayback> framesFor(const Picture& picture, std::function<void()> repaint) {
  const auto* frames = dynamic_cast<const ImageFileSource*>(picture.source().get());
  if (frames == nullptr || !frames->animated() || picture.isNull()) return nullptr;
  return std::make_unique<FramePlayback>(frames->sharedFrames(), std::move(repaint));
}

}  // namespace

PictureControl::PictureControl(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

// The painter is stopped while the widget is still whole: its last calls may ask for an update.
PictureControl::~PictureControl() {
  stopAnimation();
}

void PictureControl::setPicture(const Picture& picture) {
  const bool same = (playback_ || frames_) && picture.source() == picture_.source();
  picture_ = picture;
  if (!same) {
    stopAnimation();
    playback_ = playbackFor(picture_, [this] { update(); });
    frames_ = framesFor(picture_, [this] { update(); });
  }
  update();
}

void PictureControl::clearPicture() {
  stopAnimation();
  picture_ = Picture();
  update();
}

const QImage& PictureControl::shownImage() const {
  if (playback_) return playback_->frame();
  return frames_ ? frames_->frame() : picture_.image();
}

bool PictureControl::isAnimating() const {
  return (playback_ && playback_->running()) || (frames_ && frames_->running());
}

void PictureControl::stopAnimation() {
  playback_.reset();
  frames_.reset();
}

void PictureControl::setStretch(bool on) {
  stretch_ = on;
  update();
}

void PictureControl::setCenter(bool on) {
  center_ = on;
  update();
}

void PictureControl::applyFit(int height, int width, int top, int left) {
  resize(this->width(), height);
  resize(width, height);
  move(x(), top);
  move(left, top);
}

void PictureControl::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  if (playback_) playback_->draw();
  if (frames_) frames_->draw();
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const QImage& image = shownImage();
  if (stretch_) {
    painter.drawImage(rect(), image);
    return;
  }
  const QPoint origin = center_
                            ? QPoint((width() - image.width()) / 2, (height() - image.height()) / 2)
                            : QPoint(0, 0);
  painter.drawImage(origin, image);
}

}  // namespace tossbox
