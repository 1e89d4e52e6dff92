#pragma once
// What the tray icon component asks of the desktop's notification area: add, change and
// remove an icon, and hand the icon's mouse messages to the component's notify window.
// The program's own shell is QtTrayShell; tests drive a fake one.
#include <QFlags>
#include <QIcon>
#include <QPoint>
#include <QString>
#include <functional>

namespace tossbox {

enum class TrayCommand { Add, Modify, Delete };

// What the shell is told about one icon.
struct TrayIconData {
  int iconId = 0;
  QIcon icon;
  QString tip;
};

// The mouse messages a notify window receives for its icon.
namespace TrayMessage {
enum : int {
  MouseMove = 0x200,
  LeftButtonDown = 0x201,
  LeftButtonUp = 0x202,
  LeftButtonDoubleClick = 0x203,
  RightButtonDown = 0x204,
  RightButtonUp = 0x205,
  RightButtonDoubleClick = 0x206,
  MiddleButtonDown = 0x207,
  MiddleButtonUp = 0x208,
  MiddleButtonDoubleClick = 0x209,
};
}  // namespace TrayMessage

// The keys and buttons held while a message is handled, and the mark of a double click.
enum class TrayShift : unsigned {
  Shift = 1,
  Alt = 2,
  Ctrl = 4,
  Left = 8,
  Right = 16,
  Middle = 32,
  Double = 64,
};
Q_DECLARE_FLAGS(TrayShiftState, TrayShift)
Q_DECLARE_OPERATORS_FOR_FLAGS(TrayShiftState)

class TrayShell {
 public:
  using MessageHandler = std::function<void(int message)>;

  virtual ~TrayShell() = default;

  // Whether the desktop has a notification area to put icons into now.
  [[nodiscard]] virtual bool trayAvailable() const = 0;
  // True when the shell carried the command out.
  [[nodiscard]] virtual bool notifyIcon(TrayCommand command, const TrayIconData& data) = 0;
  // The notify window of an icon: its messages go to the handler until the window is closed.
  virtual void openNotifyWindow(int iconId, MessageHandler handler) = 0;
  virtual void closeNotifyWindow(int iconId) = 0;
  // The pointer on the screen and the keys held, read while a message is handled.
  [[nodiscard]] virtual QPoint cursorPos() const = 0;
  [[nodiscard]] virtual TrayShiftState keyState() const = 0;
};

}  // namespace tossbox
