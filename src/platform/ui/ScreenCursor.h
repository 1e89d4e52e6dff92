#pragma once
// The pointer shown over every control of the program (the application's
// override cursor). Never more than one level is pushed, so setting the
// default arrow always ends the override.
#include <QCursor>

namespace tossbox {

class ScreenCursor {
 public:
  ScreenCursor() = default;
  ~ScreenCursor();
  ScreenCursor(const ScreenCursor&) = delete;
  ScreenCursor& operator=(const ScreenCursor&) = delete;

  void set(const QCursor& cursor);
  void reset();
  [[nodiscard]] bool overridden() const { return pushed_; }

 private:
  bool pushed_ = false;
};

}  // namespace tossbox
