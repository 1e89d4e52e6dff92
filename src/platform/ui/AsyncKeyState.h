#pragma once
// The mouse buttons as the program polls them while a video plays: whether a
// button is down now, and whether it was pressed since the last reading. An
// application-wide event filter sees every press, also the ones a media
// window keeps to itself.
#include <QObject>
#include <array>
#include <cstdint>

namespace tossbox {

class AsyncKeyState : public QObject {
  Q_OBJECT
 public:
  static constexpr std::uint16_t kDown = 0x8000;
  static constexpr std::uint16_t kPressedSinceRead = 0x0001;

  // Watches the events of the whole application from now on.
  explicit AsyncKeyState(QObject* parent = nullptr);

  // kDown when held now, plus kPressedSinceRead when pressed since the previous read of
  // this button; reading clears the second.
  [[nodiscard]] std::uint16_t read(Qt::MouseButton button);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct ButtonState {
    bool down = false;
    bool pressedSinceRead = false;
  };
  static int slotOf(Qt::MouseButton button);

  std::array<ButtonState, 3> buttons_{};
};

}  // namespace tossbox
