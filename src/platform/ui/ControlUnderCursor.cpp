#include "platform/ui/ControlUnderCursor.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

namespace tossbox {

QString namedControlOf(QWidget* hit) {
  for (QWidget* control = hit; control != nullptr; control = control->parentWidget()) {
    const QString name = control->objectName();
    if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_"))) return name;
  }
  return {};
}

void ControlUnderCursor(QString& name) {
  const QString found = namedControlOf(QApplication::widgetAt(QCursor::pos()));
  if (!found.isEmpty()) name = found;
}

}  // namespace tossbox
