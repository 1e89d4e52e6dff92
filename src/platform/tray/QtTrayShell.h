#pragma once
// The desktop's notification area through QSystemTrayIcon: one QSystemTrayIcon per icon
// the shell was told to add. The tray's menu is left to the component, so that its events
// come first; no context menu is given to Qt.
#include <QSystemTrayIcon>
#include <map>
#include <memory>

#include "platform/tray/TrayShell.h"

namespace tossbox {

class QtTrayShell : public TrayShell {
 public:
  QtTrayShell() = default;
  ~QtTrayShell() override;
  QtTrayShell(const QtTrayShell&) = delete;
  QtTrayShell& operator=(const QtTrayShell&) = delete;

  [[nodiscard]] bool trayAvailable() const override;
  [[nodiscard]] bool notifyIcon(TrayCommand command, const TrayIconData& data) override;
  void openNotifyWindow(int iconId, MessageHandler handler) override;
  void closeNotifyWindow(int iconId) override;
  [[nodiscard]] QPoint cursorPos() const override;
  [[nodiscard]] TrayShiftState keyState() const override;

 private:
  struct NotifyWindow {
    MessageHandler handler;
    std::unique_ptr<QSystemTrayIcon> icon;
  };

  [[nodiscard]] bool add(NotifyWindow& window, const TrayIconData& data);
  void deliver(int iconId, QSystemTrayIcon::ActivationReason reason);

  std::map<int, NotifyWindow> windows_;
};

}  // namespace tossbox
