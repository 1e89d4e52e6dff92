#pragma once
// What the windows share: the settings, the files to sort, the history and
// the facts of the file on show.
#include <QString>
#include <string>

#include "core/picture/ShownFileInfo.h"

namespace tossbox {

struct SharedState {
  std::string currentFile;
  int currentButton = 0;
  bool chooserForSource = false;
  int rememberedListPosition = 0;
  int viewerMode = 0;
  QString savedStatusText;
  ShownFileInfo shown;
};

}  // namespace tossbox
