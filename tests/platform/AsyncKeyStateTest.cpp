#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "platform/ui/AsyncKeyState.h"

namespace tossbox {
namespace {

void sendMouse(QWidget& target, QEvent::Type type, Qt::MouseButton button) {
  const QPointF at(5, 5);
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
  QMouseEvent event(type, at, target.mapToGlobal(at), button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(&target, &event);
}

TEST(AsyncKeyState, KeepsDownAndPressedSinceTheLastReadingPerButton) {
  AsyncKeyState keys;
  QWidget window;
  QWidget inner(&window);
  constexpr std::uint16_t kDown = AsyncKeyState::kDown;
  constexpr std::uint16_t kPressed = AsyncKeyState::kPressedSinceRead;

  EXPECT_EQ(keys.read(Qt::LeftButton), 0);
  // A press seen on its way through two widgets is still one press.
  sendMouse(inner, QEvent::MouseButtonPress, Qt::LeftButton);
  sendMouse(window, QEvent::MouseButtonPress, Qt::LeftButton);
  EXPECT_EQ(keys.read(Qt::LeftButton), kDown | kPressed);
  EXPECT_EQ(keys.read(Qt::LeftButton), kDown);
  EXPECT_EQ(keys.read(Qt::RightButton), 0);
  sendMouse(inner, QEvent::MouseButtonRelease, Qt::LeftButton);
  EXPECT_EQ(keys.read(Qt::LeftButton), 0);

  // Pressed and let go between two readings: only the pressed bit, once.
  sendMouse(inner, QEvent::MouseButtonPress, Qt::RightButton);
  sendMouse(inner, QEvent::MouseButtonRelease, Qt::RightButton);
  EXPECT_EQ(keys.read(Qt::RightButton), kPressed);
  EXPECT_EQ(keys.read(Qt::RightButton), 0);

  // A double click is a press too; the middle button is kept apart.
  sendMouse(inner, QEvent::MouseButtonDblClick, Qt::MiddleButton);
  EXPECT_EQ(keys.read(Qt::MiddleButton), kDown | kPressed);
  EXPECT_EQ(keys.read(Qt::LeftButton), 0);
  EXPECT_EQ(keys.read(Qt::BackButton), 0);
}

}  // namespace
}  // namespace tossbox
