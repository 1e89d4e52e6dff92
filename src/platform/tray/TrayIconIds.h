#pragma once
// Numbers one program's tray icons in the order they are made, the first one 1, so that
// each icon is told apart from the others in the notification area.
namespace tossbox {

class TrayIconIds {
 public:
  [[nodiscard]] int next() { return ++last_; }

 private:
  int last_ = 0;
};

}  // namespace tossbox
