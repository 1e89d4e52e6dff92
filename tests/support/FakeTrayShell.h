#pragma once
// A notification area the test controls: whether a tray is there, which commands it
// refuses, where the pointer is and which keys are held; it keeps every command it was
// given and sends the mouse messages the test asks for.
#include <initializer_list>
#include <map>
#include <set>
#include <vector>

#include "platform/tray/TrayShell.h"

class FakeTrayShell : public tossbox::TrayShell {
 public:
  struct Command {
    tossbox::TrayCommand command;
    tossbox::TrayIconData data;
  };

  [[nodiscard]] bool trayAvailable() const override { return available; }

  [[nodiscard]] bool notifyIcon(tossbox::TrayCommand command,
                                const tossbox::TrayIconData& data) override {
    commands.push_back({command, data});
    if (!available || refused.contains(command)) return false;
    const bool shown = icons.contains(data.iconId);
    switch (command) {
      case tossbox::TrayCommand::Add:
        if (shown) return false;
        icons[data.iconId] = data;
        return true;
      case tossbox::TrayCommand::Modify:
        if (!shown) return false;
        icons[data.iconId] = data;
        return true;
      case tossbox::TrayCommand::Delete:
        return icons.erase(data.iconId) == 1;
    }
    return false;
  }

  void openNotifyWindow(int iconId, MessageHandler handler) override {
    windows[iconId] = std::move(handler);
  }
  void closeNotifyWindow(int iconId) override { windows.erase(iconId); }
  [[nodiscard]] QPoint cursorPos() const override { return cursor; }
  [[nodiscard]] tossbox::TrayShiftState keyState() const override { return keys; }

  // The messages one after the other, as the shell would post them to the icon's window.
  void send(int iconId, std::initializer_list<int> messages) {
    for (const int message : messages) {
      const auto window = windows.find(iconId);
      if (window != windows.end()) window->second(message);
    }
  }
  void click(int iconId) {
    send(iconId, {tossbox::TrayMessage::LeftButtonDown, tossbox::TrayMessage::LeftButtonUp});
  }

  [[nodiscard]] const tossbox::TrayIconData* shownIcon(int iconId) const {
    const auto icon = icons.find(iconId);
    return icon != icons.end() ? &icon->second : nullptr;
  }

  bool available = true;
  std::set<tossbox::TrayCommand> refused;
  QPoint cursor{40, 30};
  tossbox::TrayShiftState keys;
  std::vector<Command> commands;
  std::map<int, tossbox::TrayIconData> icons;
  std::map<int, MessageHandler> windows;
};
