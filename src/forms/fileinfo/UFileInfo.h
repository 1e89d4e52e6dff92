#pragma once
// The file information window: a small copy of the file on show and its facts.
#include "forms/common/ProgramWindow.h"

namespace tossbox {

class TForm6 : public ProgramWindow {
  Q_OBJECT
 public:
  explicit TForm6(Program& program);
};

}  // namespace tossbox
