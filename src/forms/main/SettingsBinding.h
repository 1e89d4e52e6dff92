#pragma once
// Loads and saves the settings record, and copies it to and from the
// controls that show it in the program's windows.
#include <string>
#include <vector>

#include "platform/settings/SettingsStore.h"

namespace tossbox {

class Program;
class TForm1;

// Who stores: only the folder-button settings dialog and the copy/move items
// have loaded the per-button controls for CurrentButton just before.
enum class StoreCaller { Other, FolderTarget };

class SettingsBinding {
 public:
  explicit SettingsBinding(Program& program);

  // Runs while the main window is being created, so it is handed the window.
  void LoadSettings(TForm1& main);
  void DefaultSettings(TForm1& main);
  void SaveSettings();
  void LoadSettingsToControls();
  // Only the settings of the button CurrentButton names (none while it is 0): the dialog's
  // fields and the copy/move marks.
  void LoadFolderTargetToControls();
  void StoreControlsToSettings(StoreCaller caller = StoreCaller::Other);

  // The six button captions from the folder paths.
  void applyButtonCaptions(TForm1& main);
  [[nodiscard]] const SettingsStore& store() const { return store_; }

 private:
  void applyPlacement(TForm1& main);
  void report(const std::vector<std::string>& errors);

  Program& program_;
  SettingsStore store_;
};

}  // namespace tossbox
