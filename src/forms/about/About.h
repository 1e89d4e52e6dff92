#pragma once
// The about box.
#include "forms/common/ProgramWindow.h"

namespace tossbox {

class TSTVabout : public ProgramWindow {
  Q_OBJECT
 public:
  explicit TSTVabout(Program& program);
};

}  // namespace tossbox
