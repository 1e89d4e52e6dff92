#include "platform/picture/MetafileImage.h"

#include <QPainter>

#include "core/picture/WmfPlayer.h"
#include "platform/picture/QPainterWmfCanvas.h"

namespace tossbox {

QImage drawMetafile(const WmfDocument& document, QSize size) {
  QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  if (image.isNull()) return image;
  image.fill(Qt::white);
  QPainter painter(&image);
  QPainterWmfCanvas canvas(painter);
  playWmf(document, canvas, image.width(), image.height());
  return image;
}

}  // namespace tossbox
