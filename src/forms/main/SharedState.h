#pragma once
// What the windows share: the settings, the files to sort, the history and
// the facts of the file on show and the lines of the last text shown.
#include <QString>

#include "core/picture/ShownFileInfo.h"
#include "core/settings/SettingsRecord.h"
#include "core/text/TextLines.h"
#include "forms/main/FileSelection.h"

namespace tossbox {

struct SharedState {
  SettingsRecord settings;
  // The files to sort, their rows in the list box and the file on show.
  FileSelection files;
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
