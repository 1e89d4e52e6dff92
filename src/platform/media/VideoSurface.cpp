#include "platform/media/VideoSurface.h"

#include <QMouseEvent>
#include <QPainter>

namespace tossbox {

VideoSurface::VideoSurface(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  hide();
}

void VideoSurface::showFrame(const QVideoFrame& frame) {
  frame_ = frame;
  if (isVisible()) update();
}

void VideoSurface::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  if (!frame_.isValid()) return;
  QVideoFrame::PaintOptions options;
  options.aspectRatioMode = Qt::KeepAspectRatio;
  options.backgroundColor = Qt::black;
  frame_.paint(&painter, QRectF(rect()), options);
}

void VideoSurface::mousePressEvent(QMouseEvent* event) {
  event->accept();
}
void VideoSurface::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
}
void VideoSurface::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
}

}  // namespace tossbox
