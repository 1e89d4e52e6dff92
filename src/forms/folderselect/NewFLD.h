#pragma once
// The new-folder dialog of the folder selection.
#include "forms/common/ProgramWindow.h"

namespace tossbox {

class TForm9 : public ProgramWindow {
  Q_OBJECT
public:
  explicit TForm9(Program& program);
};

}  // namespace tossbox
