#include "forms/main/MainDrops.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QToolButton>
#include <QUrl>

#include "core/files/PathRules.h"
#include "core/shellns/FolderHandle.h"
#include "forms/common/ByteText.h"
#include "forms/folderselect/UFileSelect.h"
#include "forms/main/MainCollection.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"
#include "platform/ui/ControlUnderCursor.h"

namespace tossbox {

namespace {

// The local files of the drop as the bytes of their paths, in the order the file manager lists
// them, each whole whatever its length. The percent-encoded form is decoded here because QUrl's
// own decoding goes through UTF-8 text and would replace the bytes of names that are not UTF-8.
std::vector<std::string> droppedPaths(const QMimeData& data) {
  std::vector<std::string> paths;
  for (const QUrl& url : data.urls()) {
    if (!url.isLocalFile()) continue;
    // A file URL of another host names no file of this machine.
    if (const QString host = url.host(); !host.isEmpty() && host != QLatin1String("localhost"))
      continue;
    const QByteArray path =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (!path.isEmpty())
      paths.emplace_back(path.constData(), static_cast<std::size_t>(path.size()));
  }
  return paths;
}

// Nothing dropped is moved or changed, so the file manager is told that the files were copied:
// told "moved", it would delete them.
void acceptAsCopy(QDropEvent& event) {
  if (event.possibleActions() & Qt::CopyAction) {
    event.setDropAction(Qt::CopyAction);
  } else if (event.possibleActions() & Qt::LinkAction) {
    event.setDropAction(Qt::LinkAction);
  } else {
    event.ignore();
    return;
  }
  event.accept();
}

// The name of the program's innermost named control at `local` in `window`, disabled ones
// included.
QString controlNameAt(QWidget& window, const QPoint& local) {
  QWidget* hit = QApplication::widgetAt(window.mapToGlobal(local));
  // Where the window system finds another window at that point (the picture a drag carries
  // under the pointer), the window that took the drop is the one under it.
  if (hit == nullptr || hit->window() != &window) hit = window.childAt(local);
  return namedControlOf(hit);
}

// 1..6 for "FLDBtn1".."FLDBtn6", else 0.
int buttonNumberOfName(const QString& name) {
  if (name.size() != 7 || !name.startsWith(QLatin1String("FLDBtn"))) return 0;
  const int number = name.back().digitValue();
  return number >= 1 && number <= kFolderButtonCount ? number : 0;
}

}  // namespace

void MainDrops::dragEnter(QDragEnterEvent& event) {
  if (droppedPaths(*event.mimeData()).empty()) {
    event.ignore();
    return;
  }
  acceptAsCopy(event);
}

void MainDrops::dragMove(QDragMoveEvent& event) {
  acceptAsCopy(event);
}

void MainDrops::drop(QDropEvent& event) {
  const std::vector<std::string> paths = droppedPaths(*event.mimeData());
  const QString control = controlNameAt(window_, event.position().toPoint());
  acceptAsCopy(event);
  WMDropFiles(paths, control);
}

void MainDrops::WMDropFiles(const std::vector<std::string>& paths, const QString& control) {
  if (paths.empty()) return;
  if (control == QLatin1String("Panel1") || control == QLatin1String("Panel2") ||
      control == QLatin1String("Image1")) {
    collection_.LoadPaths(paths);
    return;
  }
  if (const int number = buttonNumberOfName(control)) DropOnFolderButton(number, paths.front());
}

// The new target lives in the settings record until the next save writes it.
void MainDrops::DropOnFolderButton(int number, const std::string& path) {
  if (!isExistingFolder(path)) return;
  SharedState& state = program_.state();
  state.currentButton = number;
  state.settings.target(number).FolderPath = path;
  window_.folderButton(number).setText(byteText(LastPathPart(path)));
}

void MainDrops::N9Click() {
  window_.ReleaseSpeedButton3();
  program_.form8().openFor(true);
}

}  // namespace tossbox
