#include "platform/tray/TrayActivation.h"

#include "platform/tray/TrayShell.h"

namespace tossbox {

std::vector<int> trayMessagesFor(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      return {TrayMessage::LeftButtonDown, TrayMessage::LeftButtonUp};
    // The first click of the pair has come as a Trigger already.
    case QSystemTrayIcon::DoubleClick:
      return {TrayMessage::LeftButtonDoubleClick, TrayMessage::LeftButtonUp};
    case QSystemTrayIcon::Context:
      return {TrayMessage::RightButtonDown, TrayMessage::RightButtonUp};
    case QSystemTrayIcon::MiddleClick:
      return {TrayMessage::MiddleButtonDown, TrayMessage::MiddleButtonUp};
    case QSystemTrayIcon::Unknown:
      break;
  }
  return {};
}

}  // namespace tossbox
