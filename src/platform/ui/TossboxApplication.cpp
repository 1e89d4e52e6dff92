#include "platform/ui/TossboxApplication.h"

#include <exception>

namespace tossbox {

TossboxApplication::TossboxApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TossboxApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    reportEscapedError(boxes_, QString::fromUtf8(error.what()));
  } catch (...) {
    reportEscapedError(boxes_, QStringLiteral("Unknown error"));
  }
  return false;
}

void reportEscapedError(MessageBoxes& boxes, const QString& what) {
  boxes.error(what);
}

}  // namespace tossbox
