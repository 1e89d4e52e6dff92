#pragma once
// The question "save under which name?" that the history log and the same-name dialog's
// "新規保存" ask. The program asks it through one function, so tests answer it instead of a
// person.
#include <QString>
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace tossbox {

struct SaveFileRequest {
  QWidget* owner = nullptr;
  // "description|pattern", for example "ﾃｷｽﾄ ﾌｧｲﾙ (*.txt)|*.TXT".
  QString filter;
  // Where the dialog starts, as path bytes; empty: the current folder.
  std::string folder;
  QString proposedName;
  bool confirmOverwrite = true;
};

// The chosen path as the file system's bytes; nullopt when the user cancelled.
using SaveFileChooser = std::function<std::optional<std::string>(const SaveFileRequest&)>;

// Asks with Qt's own file dialog: the desktop's native one may not exist (a bare X server has
// none), and this one looks the same everywhere.
[[nodiscard]] std::optional<std::string> askSaveFile(const SaveFileRequest& request);

}  // namespace tossbox
