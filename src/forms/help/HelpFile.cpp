#include "forms/help/HelpFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tossbox {

HelpFileSearch findHelpFile(const QStringList& folders) {
  HelpFileSearch search;
  for (const QString& folder : folders) {
    const QString path = QDir(folder).filePath(kHelpFileName);
    search.searched.append(path);
    if (QFileInfo(path).isFile()) {
      search.found = path;
      break;
    }
  }
  return search;
}

QStringList helpFoldersFor(const QString& programFolder, const QStringList& dataFolders) {
  QStringList folders{
      programFolder,
      QDir::cleanPath(programFolder + QStringLiteral("/" TOSSBOX_DATA_FROM_PROGRAM))};
  for (const QString& data : dataFolders)
    folders.append(QDir(data).filePath(QStringLiteral("tossbox")));
  folders.removeDuplicates();
  return folders;
}

QStringList helpFolders() {
  return helpFoldersFor(QCoreApplication::applicationDirPath(),
                        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation));
}

}  // namespace tossbox
