#pragma once
// The enlarged viewer: the file on show at natural size or fitted to the screen.
#include "forms/common/ProgramWindow.h"

namespace tossbox {

class TForm3 : public ProgramWindow {
  Q_OBJECT
 public:
  explicit TForm3(Program& program);
};

}  // namespace tossbox
