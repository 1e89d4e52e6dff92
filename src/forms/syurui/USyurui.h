#pragma once
// The kind filter: which file kinds the list shows, with the count of each.
#include "forms/common/ProgramWindow.h"

namespace tossbox {

class TFSyurui : public ProgramWindow {
  Q_OBJECT
public:
  explicit TFSyurui(Program& program);
};

}  // namespace tossbox
