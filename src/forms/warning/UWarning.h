#pragma once
// The same-name dialog: asks what to do when the target name exists.
#include "forms/common/ProgramWindow.h"

namespace tossbox {

class TForm5 : public ProgramWindow {
  Q_OBJECT
public:
  explicit TForm5(Program& program);
};

}  // namespace tossbox
