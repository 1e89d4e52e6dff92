#pragma once
// The file information window: a small copy of the file on show beside its
// name, folder, format, size and the facts its renderer recorded. The content
// is built each time the window is shown and stays as it is while it is open.
#include "forms/common/ProgramWindow.h"

class QFrame;
class QListWidget;

namespace tossbox {

class PictureControl;

class TForm6 : public ProgramWindow {
  Q_OBJECT
 public:
  static constexpr int kTabWidth = 20;  // dialog units between tab stops

  explicit TForm6(Program& program);

  [[nodiscard]] PictureControl& image1() const { return *image1_; }
  [[nodiscard]] QListWidget& listBox1() const { return *listBox1_; }
  // The width of the widest line, tabs expanded, in the list's font.
  [[nodiscard]] int horizontalExtent() const { return extent_; }
  // Tab stops in pixels: 20 dialog units of the list's font.
  [[nodiscard]] int tabStopPixels() const;

 protected:
  void FormShow() override;
  void FormClose() override;

 private:
  void fillLines();

  QFrame* panel1_ = nullptr;
  PictureControl* image1_ = nullptr;
  QListWidget* listBox1_ = nullptr;
  int extent_ = 0;
};

}  // namespace tossbox
