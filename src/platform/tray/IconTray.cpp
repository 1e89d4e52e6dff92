#include "platform/tray/IconTray.h"

#include <QWidget>

namespace tossbox {

namespace {

// The first `count` characters of text; a character outside the BMP counts as one and is
// never cut in half.
QString firstCharacters(const QString& text, int count) {
  qsizetype end = 0;
  for (int taken = 0; taken < count && end < text.size(); ++taken) {
    const bool pair = text.at(end).isHighSurrogate() && end + 1 < text.size() &&
                      text.at(end + 1).isLowSurrogate();
    end += pair ? 2 : 1;
  }
  return text.left(end);
}

}  // namespace

TIconTray::TIconTray(QObject* owner, TrayShell& shell, TrayIconIds& ids)
    : QObject(owner), shell_(shell), iconId_(ids.next()) {
  shell_.openNotifyWindow(iconId_, [this](int message) { handleMessage(message); });
}

TIconTray::~TIconTray() {
  try {
    UpdateTrayIcon(false);
  } catch (const EIconTrayError&) {
    // Nothing is left to tell at the end: the shell drops the icon with its window.
  }
  shell_.closeNotifyWindow(iconId_);
}

void TIconTray::setIcon(const QIcon& icon) {
  icon_ = icon;
  UpdateTrayIcon(true);
}

void TIconTray::setHint(const QString& hint) {
  if (hint == hint_) return;
  hint_ = firstCharacters(hint, kHintLimit);
  UpdateTrayIcon(true);
}

void TIconTray::setShowHint(bool show) {
  if (show == showHint_) return;
  showHint_ = show;
  UpdateTrayIcon(true);
}

void TIconTray::UpdateTrayIcon(bool active) {
  if (icon_.isNull()) active = false;
  const TrayIconData data{iconId_, icon_, showHint_ ? hint_ : QString()};
  bool done = true;
  if (active)
    done = shell_.notifyIcon(registered_ ? TrayCommand::Modify : TrayCommand::Add, data);
  else if (registered_)
    done = shell_.notifyIcon(TrayCommand::Delete, data);
  if (!done) throw EIconTrayError();
  registered_ = active;
}

void TIconTray::handleMessage(int message) {
  const QPoint at = shell_.cursorPos();
  const TrayShiftState shift = shell_.keyState();
  const int x = at.x();
  const int y = at.y();
  switch (message) {
    case TrayMessage::MouseMove:
      emit OnMouseMove(shift, x, y);
      break;
    case TrayMessage::LeftButtonDown:
      emit OnMouseDown(TrayButton::Left, shift, x, y);
      break;
    case TrayMessage::LeftButtonUp:
      emit OnClick();
      emit OnMouseUp(TrayButton::Left, shift, x, y);
      popUp(lBtnPopupMenu_);
      break;
    case TrayMessage::LeftButtonDoubleClick:
      emit OnDblClick();
      emit OnMouseDown(TrayButton::Left, shift | TrayShift::Double, x, y);
      break;
    case TrayMessage::RightButtonDown:
      emit OnMouseDown(TrayButton::Right, shift, x, y);
      break;
    case TrayMessage::RightButtonUp:
      emit OnMouseUp(TrayButton::Right, shift, x, y);
      popUp(rBtnPopupMenu_);
      break;
    case TrayMessage::RightButtonDoubleClick:
      emit OnMouseDown(TrayButton::Right, shift | TrayShift::Double, x, y);
      break;
    case TrayMessage::MiddleButtonDown:
      emit OnMouseDown(TrayButton::Middle, shift, x, y);
      break;
    case TrayMessage::MiddleButtonUp:
      emit OnMouseUp(TrayButton::Middle, shift, x, y);
      break;
    case TrayMessage::MiddleButtonDoubleClick:
      emit OnMouseDown(TrayButton::Middle, shift | TrayShift::Double, x, y);
      break;
    default:
      break;
  }
}

void TIconTray::popUp(QMenu* menu) {
  if (menu == nullptr) return;
  // A drag or press the owner form still follows would take the menu's clicks.
  if (auto* form = qobject_cast<QWidget*>(parent())) {
    QWidget* grabber = QWidget::mouseGrabber();
    if (grabber != nullptr && grabber->window() == form->window()) grabber->releaseMouse();
  }
  menu->popup(shell_.cursorPos());
}

}  // namespace tossbox
