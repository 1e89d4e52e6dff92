#include "platform/ui/AsyncKeyState.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace tossbox {

AsyncKeyState::AsyncKeyState(QObject* parent) : QObject(parent) {
  if (QCoreApplication::instance() != nullptr)
    QCoreApplication::instance()->installEventFilter(this);
}

int AsyncKeyState::slotOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return 0;
    case Qt::RightButton:
      return 1;
    case Qt::MiddleButton:
      return 2;
    default:
      return -1;
  }
}

std::uint16_t AsyncKeyState::read(Qt::MouseButton button) {
  const int slot = slotOf(button);
  if (slot < 0) return 0;
  ButtonState& state = buttons_[static_cast<std::size_t>(slot)];
  const auto value = static_cast<std::uint16_t>((state.down ? kDown : 0) |
                                                (state.pressedSinceRead ? kPressedSinceRead : 0));
  state.pressedSinceRead = false;
  return value;
}

bool AsyncKeyState::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
      type != QEvent::MouseButtonRelease)
    return QObject::eventFilter(watched, event);
  // One press passes here once for its window and again for each widget it reaches; the
  // state it leaves is the same every time.
  const auto* mouse = static_cast<QMouseEvent*>(event);
  const int slot = slotOf(mouse->button());
  if (slot >= 0) {
    ButtonState& state = buttons_[static_cast<std::size_t>(slot)];
    if (type == QEvent::MouseButtonRelease) {
      state.down = false;
    } else {
      state.down = true;
      state.pressedSinceRead = true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tossbox
