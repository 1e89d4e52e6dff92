#include "forms/picture/PictureControl.h"

#include <QPainter>

namespace tossbox {

PictureControl::PictureControl(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureControl::setPicture(const Picture& picture) {
  picture_ = picture;
  update();
}

void PictureControl::clearPicture() {
  picture_ = Picture();
  update();
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
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const QImage& image = picture_.image();
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
