#include "forms/common/ProgramWindow.h"

#include <QCloseEvent>
#include <QShowEvent>

#include "forms/main/Program.h"

namespace tossbox {

ProgramWindow::ProgramWindow(Program& program, const QString& objectName, const QString& caption,
                             Qt::WindowFlags flags)
    : QWidget(nullptr, flags), program_(program) {
  setObjectName(objectName);
  setWindowTitle(caption);
}

void ProgramWindow::setClientSize(int width, int height, bool fixed) {
  if (fixed) {
    setFixedSize(width, height);
    return;
  }
  resize(width, height);
}

void ProgramWindow::showAsItWas() {
  showingAsItWas_ = true;
  show();
  showingAsItWas_ = false;
}

void ProgramWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (showingAsItWas_) return;
  if (showWhenRestored_ || !event->spontaneous()) FormShow();
}

void ProgramWindow::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

bool ProgramWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) program_.screenCursor().reset();
  return QWidget::eventFilter(watched, event);
}

}  // namespace tossbox
