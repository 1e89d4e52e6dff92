#pragma once
// The folder selection dialog with its folder tree.
#include "forms/common/ProgramWindow.h"

namespace tossbox {

class TForm8 : public ProgramWindow {
  Q_OBJECT
public:
  explicit TForm8(Program& program);
};

}  // namespace tossbox
