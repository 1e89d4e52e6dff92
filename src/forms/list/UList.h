#pragma once
// The list of files to sort and the action history, beside the main window.
#include "forms/common/ProgramWindow.h"

namespace tossbox {

class TForm2 : public ProgramWindow {
  Q_OBJECT
public:
  explicit TForm2(Program& program);
};

}  // namespace tossbox
