#pragma once
// The rules of a folder button's settings dialog when "適用" is pressed: which input is refused
// (and where the focus goes), and what the dialog does once the settings are stored. The dialog
// asks its question and moves the focus; these functions only decide.
#include <optional>
#include <string>
#include <string_view>

#include "core/settings/SettingsRecord.h"
#include "core/sorting/TrimBlanks.h"

namespace tossbox {

// Whether a trimmed folder text names the root of the file system ("/", "//", "/srv/.."): sorting
// straight into it is refused, as a drive root is where drives exist.
[[nodiscard]] bool isRootFolder(std::string_view trimmedFolder);

// The folder a trimmed folder text names: "~" and "~/..." stand for `home`, and trailing "/" are
// dropped so that the button's caption is the folder's own name. Empty for an empty text (the
// button is unset). Nullopt for any other relative text, which would name a folder below
// wherever the program was started, and for "~" while `home` is not absolute.
[[nodiscard]] std::optional<std::string> typedFolderPath(std::string_view trimmedFolder,
                                                         std::string_view home);

// Why "適用" stores nothing, in the order the checks are made.
enum class ApplyRefusal {
  None,          // store the settings
  RootFolder,    // focus the folder field
  SerialPrefix,  // serial renaming is on and the prefix holds "/": names would leave the folder
  SerialNumber,  // serial renaming is on and the serial field is not a serial number
};

// The first check, made before the question about creating a missing folder.
[[nodiscard]] ApplyRefusal folderRefusal(std::string_view trimmedFolder);
// The second check, made after that question.
[[nodiscard]] ApplyRefusal serialRefusal(bool serialRenameChecked, std::string_view serialText);
// Made with the serial check.
[[nodiscard]] ApplyRefusal prefixRefusal(bool serialRenameChecked, std::string_view prefix);

// What the dialog does once the settings are stored.
enum class AfterApply {
  Close,
  FocusPrefix,  // serial renaming without a prefix: the dialog stays open on the prefix field
  FocusSerial,  // serial renaming without a serial number
};
[[nodiscard]] AfterApply afterApply(const FolderTarget& stored);

}  // namespace tossbox
