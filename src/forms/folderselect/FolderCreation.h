#pragma once
// Creating a chosen folder for the two folder dialogs, with every missing parent. A folder that
// cannot be created is reported in the program's error box with the reason the system gave;
// the dialog then stays open and nothing is assigned.
#include <QString>
#include <string>
#include <string_view>

class QWidget;

namespace tossbox {

class MessageBoxes;

// True when `path` is an existing folder afterwards. A relative path is refused: it would be
// created wherever the program happened to start.
[[nodiscard]] bool createFolderWithParents(MessageBoxes& boxes, QWidget* owner,
                                           const std::string& path);

}  // namespace tossbox
