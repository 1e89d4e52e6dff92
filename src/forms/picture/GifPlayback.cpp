#include "forms/picture/GifPlayback.h"

#include <QGuiApplication>
#include <QPalette>
#include <new>

#include "forms/picture/GifPictureSource.h"

namespace tossbox {

namespace {

// Frames are drawn over transparency: the control's parent shows through.
QImage emptyBacking(QSize size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) throw std::bad_alloc();
  image.fill(Qt::transparent);
  return image;
}

}  // namespace

GifPlayback::GifPlayback(const GifPictureSource& source, QSize size, std::function<void()> repaint)
    : backing_(emptyBacking(size)),
      canvas_(backing_, std::move(repaint)),
      image_(source.image().paintFlags()) {
  image_.setUiThreadCaller(source.uiThread());
  image_.setWindowColour(QGuiApplication::palette().color(QPalette::Window).rgb());
  image_.assign(source.image());
}

void GifPlayback::draw() {
  image_.draw(canvas_, GifRect{0, 0, backing_.width(), backing_.height()});
}

}  // namespace tossbox
