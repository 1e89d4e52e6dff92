#pragma once
// Where the help file is: beside the program first (a build folder, an unpacked copy), then in
// the data folders of an installed program.
#include <QString>
#include <QStringList>
#include <optional>

namespace tossbox {

inline const QString kHelpFileName = QStringLiteral("VUVUV.ozi");

struct HelpFileSearch {
  std::optional<QString> found;
  // Every path looked at, in order, so that a missing file can say where it was looked for.
  QStringList searched;
};

// The first of folder/VUVUV.ozi that is a regular file (or a link to one).
[[nodiscard]] HelpFileSearch findHelpFile(const QStringList& folders);

// The program's own folder, the installed data folder relative to it, then each of the given
// data folders with the program's subfolder.
[[nodiscard]] QStringList helpFoldersFor(const QString& programFolder,
                                         const QStringList& dataFolders);
// helpFoldersFor the running program and the desktop's data folders (XDG_DATA_HOME,
// XDG_DATA_DIRS).
[[nodiscard]] QStringList helpFolders();

}  // namespace tossbox
