#include "forms/common/ProgramWindow.h"

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

}  // namespace tossbox
