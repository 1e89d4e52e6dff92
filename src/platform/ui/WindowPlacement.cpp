#include "platform/ui/WindowPlacement.h"

#include <QWidget>

namespace tossbox {

void SetTopmost(QWidget& window) {
  if (!(window.windowFlags() & Qt::WindowStaysOnTopHint)) {
    const QPoint position = window.pos();
    window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    window.move(position);
  }
  window.show();
  window.raise();
}

int besideLeft(int screenWidth, int ownerLeft, int ownerWidth, int windowWidth) {
  if (screenWidth < ownerLeft + ownerWidth + windowWidth + 12) return ownerLeft - windowWidth - 10;
  return ownerLeft + ownerWidth + 10;
}

}  // namespace tossbox
