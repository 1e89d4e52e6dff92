#include "platform/ui/ScreenCursor.h"

#include <QGuiApplication>

namespace tossbox {

ScreenCursor::~ScreenCursor() {
  reset();
}

void ScreenCursor::set(const QCursor& cursor) {
  if (pushed_) {
    QGuiApplication::changeOverrideCursor(cursor);
    return;
  }
  QGuiApplication::setOverrideCursor(cursor);
  pushed_ = true;
}

void ScreenCursor::reset() {
  if (!pushed_) return;
  QGuiApplication::restoreOverrideCursor();
  pushed_ = false;
}

}  // namespace tossbox
