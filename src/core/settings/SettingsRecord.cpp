#include "core/settings/SettingsRecord.h"

#include <stdexcept>

namespace tossbox {

FolderTarget& SettingsRecord::target(int button) {
  if (button < 1 || button > kFolderButtonCount) {
    throw std::out_of_range("folder button number out of range: " + std::to_string(button));
  }
  return FolderTargets[static_cast<std::size_t>(button - 1)];
}

const FolderTarget& SettingsRecord::target(int button) const {
  return const_cast<SettingsRecord&>(*this).target(button);
}

SameName FolderTarget::sameName() const {
  switch (SameNamePolicy) {
    case 2:
      return SameName::Overwrite;
    case 3:
      return SameName::AppendS;
    default:
      return SameName::Ask;
  }
}

void FolderTarget::setSameName(SameName rule) {
  switch (rule) {
    case SameName::Ask:
      SameNamePolicy = 1;
      return;
    case SameName::Overwrite:
      SameNamePolicy = 2;
      return;
    case SameName::AppendS:
      SameNamePolicy = 3;
      return;
  }
}

SettingsRecord defaultSettingsRecord(const ScreenGeometry& geometry) {
  SettingsRecord record;
  // Integer division truncates toward zero, also for a window larger than the screen.
  record.MainTop = (geometry.screenHeight - geometry.windowHeight) / 2;
  record.MainLeft = (geometry.screenWidth - geometry.windowWidth) / 2;
  record.MainHeight = kDefaultMainHeight;
  record.ListDblClickAction = 1;
  record.ListSortAscending = 0;
  record.KindEnabled.fill(1);
  record.ViewerDblClickMode = 1;
  record.ViewerFullScreen = 0;
  record.ViewerAlwaysCentre = 1;
  for (FolderTarget& target : record.FolderTargets) {
    target = FolderTarget{};
    target.setSameName(SameName::Ask);
  }
  return record;
}

}  // namespace tossbox
