#include "platform/tray/QtTrayShell.h"

#include <QCursor>
#include <QGuiApplication>

#include "platform/tray/TrayActivation.h"

namespace tossbox {

QtTrayShell::~QtTrayShell() = default;

bool QtTrayShell::trayAvailable() const {
  return QSystemTrayIcon::isSystemTrayAvailable();
}

bool QtTrayShell::notifyIcon(TrayCommand command, const TrayIconData& data) {
  const auto found = windows_.find(data.iconId);
  if (found == windows_.end()) return false;
  NotifyWindow& window = found->second;
  switch (command) {
    case TrayCommand::Add:
      return add(window, data);
    case TrayCommand::Modify:
      if (!window.icon) return false;
      window.icon->setIcon(data.icon);
      window.icon->setToolTip(data.tip);
      return true;
    case TrayCommand::Delete:
      if (!window.icon) return false;
      window.icon.reset();
      return true;
  }
  return false;
}

bool QtTrayShell::add(NotifyWindow& window, const TrayIconData& data) {
  if (window.icon || !trayAvailable()) return false;
  window.icon = std::make_unique<QSystemTrayIcon>(data.icon);
  window.icon->setToolTip(data.tip);
  QObject::connect(
      window.icon.get(), &QSystemTrayIcon::activated,
      [this, id = data.iconId](QSystemTrayIcon::ActivationReason reason) { deliver(id, reason); });
  window.icon->show();
  return true;
}

void QtTrayShell::deliver(int iconId, QSystemTrayIcon::ActivationReason reason) {
  for (const int message : trayMessagesFor(reason)) {
    // A handler may have closed the window.
    const auto found = windows_.find(iconId);
    if (found == windows_.end()) return;
    const MessageHandler handler = found->second.handler;
    handler(message);
  }
}

void QtTrayShell::openNotifyWindow(int iconId, MessageHandler handler) {
  windows_[iconId] = NotifyWindow{std::move(handler), nullptr};
}

void QtTrayShell::closeNotifyWindow(int iconId) {
  windows_.erase(iconId);
}

QPoint QtTrayShell::cursorPos() const {
  return QCursor::pos();
}

TrayShiftState QtTrayShell::keyState() const {
  const Qt::KeyboardModifiers keys = QGuiApplication::queryKeyboardModifiers();
  const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
  TrayShiftState state;
  state.setFlag(TrayShift::Shift, keys.testFlag(Qt::ShiftModifier));
  state.setFlag(TrayShift::Alt, keys.testFlag(Qt::AltModifier));
  state.setFlag(TrayShift::Ctrl, keys.testFlag(Qt::ControlModifier));
  state.setFlag(TrayShift::Left, buttons.testFlag(Qt::LeftButton));
  state.setFlag(TrayShift::Right, buttons.testFlag(Qt::RightButton));
  state.setFlag(TrayShift::Middle, buttons.testFlag(Qt::MiddleButton));
  return state;
}

}  // namespace tossbox
