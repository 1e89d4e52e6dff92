#pragma once
// What the windows share: the settings, the files to sort, the history and
// the facts of the file on show.
#include <QString>
#include <string>

#include "core/files/SortList.h"
#include "core/picture/ShownFileInfo.h"
#include "core/settings/SettingsRecord.h"

namespace tossbox {

struct SharedState {
  SettingsRecord settings;
  // SortList and EntryList in lock-step.
  SortList sortList;
  std::string currentFile;
  int currentButton = 0;
  bool chooserForSource = false;
  int rememberedListPosition = 0;
  int viewerMode = 0;
  QString savedStatusText;
  ShownFileInfo shown;
};

}  // namespace tossbox
