#pragma once
// What the windows share: the settings, the files to sort, the history and
// the facts of the file on show and the lines of the last text shown.
#include <QString>
#include <string>

#include "core/files/SortList.h"
#include "core/picture/ShownFileInfo.h"
#include "core/settings/SettingsRecord.h"
#include "core/text/TextLines.h"

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
  // The lines of the last text file shown in the preview.
  TextLines textLines;
};

}  // namespace tossbox
