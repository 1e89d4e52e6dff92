#include "platform/gif/QtUiThreadCaller.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace tossbox {

QtUiThreadCaller::QtUiThreadCaller() : receiver_(std::make_unique<QObject>()) {}

// Destroying the receiver drops the wake-ups still posted to it.
QtUiThreadCaller::~QtUiThreadCaller() = default;

bool QtUiThreadCaller::processMessages() {
  runPending();
  QCoreApplication::processEvents();
  return !QCoreApplication::closingDown();
}

void QtUiThreadCaller::wake() {
  QMetaObject::invokeMethod(
      receiver_.get(), [this] { runPending(); }, Qt::QueuedConnection);
}

}  // namespace tossbox
