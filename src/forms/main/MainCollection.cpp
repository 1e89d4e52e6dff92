#include "forms/main/MainCollection.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
#include <QMovie>
#include <QToolButton>

#include "core/shellns/FolderHandle.h"
#include "forms/kindfilter/USyurui.h"
#include "forms/list/UList.h"
#include "forms/main/MainNavigation.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"
#include "forms/picture/PictureControl.h"
#include "forms/viewer/ULarge.h"
#include "platform/art/Artwork.h"
#include "ui_MainUnit.h"

namespace tossbox {

namespace {

// The first picture after start-up is fitted into a box a little smaller than the one
// navigation uses.
constexpr RenderBox kFirstShowBox{132, 177};

// Between two looks at the event queue during a scan. Short enough that
// the window and the animation never seem to stop, long enough that a scan
// of a hundred thousand files is not spent in the event loop.
constexpr qint64 kScanRefreshMs = 15;

QString countText(const QString& prefix, std::size_t count) {
  return prefix + QString::number(count);
}

}  // namespace

MainCollection::MainCollection(Program& program, TForm1& window, Ui::TForm1& ui,
                               QMovie& findFolderMovie, MainNavigation& navigation)
    : program_(program),
      window_(window),
      ui_(ui),
      findFolderMovie_(findFolderMovie),
      navigation_(navigation) {}

void MainCollection::flushScannedEntries() {
  if (scannedEntries_.empty()) return;
  program_.form2().listBox1().appendEntries(scannedEntries_);
  scannedEntries_.clear();
}

ScanHooks MainCollection::scanHooks() {
  ScanHooks hooks;
  hooks.entryAdded = [this](std::size_t entryNumber, std::string_view) {
    scannedEntries_.push_back(entryNumber);
  };
  hooks.processPendingEvents = [this] {
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - lastScanRefresh_ < kScanRefreshMs) return;
    lastScanRefresh_ = now;
    flushScannedEntries();
    window_.setStatusText(
        countText(QStringLiteral("ﾌｧｲﾙ読込中："), program_.state().files.sortList().size()));
    QCoreApplication::processEvents();
  };
  hooks.stopRequested = [this] { return closing_; };
  return hooks;
}

void MainCollection::AddPath(const std::string& path) {
  program_.state().files.add(path, scanHooks());
  flushScannedEntries();
  window_.setStatusText(
      countText(QStringLiteral("ﾌｧｲﾙ読込中："), program_.state().files.sortList().size()));
}

void MainCollection::addPathsWithAnimation(const std::vector<std::string>& paths) {
  ui_.Animate1->show();
  ui_.Animate1->raise();
  findFolderMovie_.start();
  for (const std::string& path : paths) AddPath(path);
  findFolderMovie_.stop();
  ui_.Animate1->hide();
}

void MainCollection::LoadPaths(const std::vector<std::string>& paths) {
  SharedState& state = program_.state();
  EntryListBox& list = program_.form2().listBox1();
  const int previous = state.files.sortList().empty() ? 0 : list.count();
  const std::size_t countBefore = state.files.sortList().size();
  addPathsWithAnimation(paths);
  window_.setStatusText(countText(QStringLiteral("ﾌｧｲﾙ読込数："), state.files.sortList().size()));
  if (!state.files.sortList().empty()) {
    // A batch that adds nothing leaves the file on show where it is.
    if (state.files.sortList().size() > countBefore) list.setSelectedIndex(previous);
    state.files.showEntry(navigation_.CurrentListNumber());
    const QCursor& cursor = program_.art().cursor(Pointer::Picture);
    ui_.Image1->setCursor(cursor);
    ui_.Panel2->setCursor(cursor);
  }
  program_.form2().RebuildList();
  if (state.files.sortList().empty())
    window_.setStatusText(QStringLiteral("表示するﾌｧｲﾙがありません。"));
  navigation_.updateCounter();
}

void MainCollection::loadCommandLine() {
  const std::vector<std::string>& paths = program_.arguments();
  if (paths.empty()) return;
  SharedState& state = program_.state();
  EntryListBox& list = program_.form2().listBox1();
  addPathsWithAnimation(paths);
  window_.setStatusText(countText(QStringLiteral("ﾌｧｲﾙ読込数："), state.files.sortList().size()));
  if (!state.files.sortList().empty()) {
    list.setSelectedIndex(0);
    state.files.showEntry(0);
  }
  program_.form2().RebuildList();
  // A missing file keeps the picture that says so.
  if (list.count() > 0 && isExistingFile(state.files.currentFile()))
    navigation_.DisplayFile(window_.image1(), state.files.currentFile(), FastDecode::On,
                            kFirstShowBox, 0);
  if (state.files.sortList().empty())
    window_.setStatusText(QStringLiteral("表示するﾌｧｲﾙがありません。"));
  navigation_.updateCounter();
}

void MainCollection::ClearList(bool fromMainMenu) {
  window_.setStatusText(QString());
  if (fromMainMenu) window_.ReleaseSpeedButton3();
  SharedState& state = program_.state();
  EntryListBox& list = program_.form2().listBox1();
  program_.fSyurui().resetCounts();
  scannedEntries_.clear();
  state.files.clear();
  window_.timer1().stop();
  program_.form3().timer1().stop();
  window_.image1().clearPicture();
  window_.image1().repaint();
  navigation_.ShowCurrent();
  window_.releaseViewerButton();
  program_.form3().close();
  navigation_.updateCounter();
  list.update();
  window_.setStatusText(QStringLiteral("振分したいﾌｫﾙﾀﾞを選択して下さい。"));
}

void MainCollection::N10Click() {
  ClearList(true);
}

void MainCollection::N13Click() {
  program_.fSyurui().PlaceBesideMain();
}

}  // namespace tossbox
