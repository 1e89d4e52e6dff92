#include "forms/tree/FolderIcons.h"

#include <QApplication>
#include <QFileIconProvider>
#include <QStyle>

namespace tossbox {

namespace {

constexpr int kIconSize = 16;

QIcon themed(const char* themeName, QFileIconProvider::IconType providerType,
             QStyle::StandardPixmap stylePixmap) {
  QIcon fallback = QFileIconProvider().icon(providerType);
  if (fallback.isNull()) fallback = QApplication::style()->standardIcon(stylePixmap);
  return QIcon::fromTheme(QString::fromLatin1(themeName), fallback);
}

QIcon themed(const char* themeName, QStyle::StandardPixmap stylePixmap) {
  return QIcon::fromTheme(QString::fromLatin1(themeName),
                          QApplication::style()->standardIcon(stylePixmap));
}

// The closed folder normally, the open one in the selected mode the tree paints a selected
// node with.
QIcon folderIcon() {
  const QIcon closed = themed("folder", QFileIconProvider::Folder, QStyle::SP_DirClosedIcon);
  const QIcon open = themed("folder-open", QStyle::SP_DirOpenIcon);
  QIcon icon;
  for (const int size : {kIconSize, kIconSize * 2}) {
    const QSize box(size, size);
    icon.addPixmap(closed.pixmap(box), QIcon::Normal);
    icon.addPixmap(open.pixmap(box), QIcon::Selected);
  }
  return icon;
}

}  // namespace

FolderIcons::FolderIcons()
    : icons_{themed("user-desktop", QFileIconProvider::Desktop, QStyle::SP_DesktopIcon),
             themed("computer", QFileIconProvider::Computer, QStyle::SP_ComputerIcon),
             themed("user-home", QStyle::SP_DirHomeIcon),
             themed("drive-harddisk", QFileIconProvider::Drive, QStyle::SP_DriveHDIcon),
             folderIcon()} {}

const QIcon& FolderIcons::iconFor(FolderIcon kind) const {
  switch (kind) {
    case FolderIcon::Desktop:
      return icons_[0];
    case FolderIcon::Computer:
      return icons_[1];
    case FolderIcon::Home:
      return icons_[2];
    case FolderIcon::Volume:
      return icons_[3];
    case FolderIcon::Folder:
      break;
  }
  return icons_[4];
}

}  // namespace tossbox
