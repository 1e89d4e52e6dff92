#pragma once
// The desktop reports a press on a tray icon as one activation; the component expects the
// mouse messages of the press and the release, in that order.
#include <QSystemTrayIcon>
#include <vector>

namespace tossbox {

[[nodiscard]] std::vector<int> trayMessagesFor(QSystemTrayIcon::ActivationReason reason);

}  // namespace tossbox
