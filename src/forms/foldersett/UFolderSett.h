#pragma once
// The settings of one folder button: its folder, serial renaming and same-name policy.
#include "forms/common/ProgramWindow.h"

namespace tossbox {

class TFolderSett : public ProgramWindow {
  Q_OBJECT
public:
  explicit TFolderSett(Program& program);
};

}  // namespace tossbox
