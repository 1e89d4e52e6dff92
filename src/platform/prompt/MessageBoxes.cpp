#include "platform/prompt/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace tossbox {

namespace {

QMessageBox::Icon toQt(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Error:
      return QMessageBox::Critical;
    case BoxIcon::Warning:
      return QMessageBox::Warning;
    case BoxIcon::Information:
      return QMessageBox::Information;
    case BoxIcon::Question:
      return QMessageBox::Question;
    case BoxIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQt(BoxButtons buttons) {
  switch (buttons) {
    case BoxButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case BoxButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case BoxButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case BoxButtons::Ok:
      break;
  }
  return QMessageBox::Ok;
}

BoxAnswer fromQt(int button) {
  switch (button) {
    case QMessageBox::Yes:
      return BoxAnswer::Yes;
    case QMessageBox::No:
      return BoxAnswer::No;
    case QMessageBox::Cancel:
      return BoxAnswer::Cancel;
    default:
      return BoxAnswer::Ok;
  }
}

}  // namespace

BoxAnswer MessageBoxes::show(const BoxRequest& request) {
  shown_.push_back(request);
  if (responder_) return responder_(request);
  return showDialog(request);
}

BoxAnswer MessageBoxes::error(const QString& text, QWidget* owner) {
  return show({text, {}, BoxIcon::Error, BoxButtons::Ok, owner});
}

BoxAnswer MessageBoxes::confirm(const QString& text, QWidget* owner) {
  return show({text, {}, BoxIcon::Question, BoxButtons::YesNo, owner});
}

BoxAnswer MessageBoxes::showDialog(const BoxRequest& request) const {
  const QString caption =
      request.caption.isEmpty() ? QApplication::applicationDisplayName() : request.caption;
  QMessageBox box(toQt(request.icon), caption, request.text, toQt(request.buttons), request.owner);
  // The program's windows stay on top; a box must not hide behind them.
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  return fromQt(box.exec());
}

}  // namespace tossbox
