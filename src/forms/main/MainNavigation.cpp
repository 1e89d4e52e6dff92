#include "forms/main/MainNavigation.h"

#include <QAction>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QMovie>
#include <QScreen>
#include <QToolButton>

#include "core/files/PathRules.h"
#include "core/picture/FitRectangle.h"
#include "core/shellns/FolderHandle.h"
#include "forms/common/ByteText.h"
#include "forms/folderselect/UFileSelect.h"
#include "forms/list/UList.h"
#include "forms/main/MainUnit.h"
#include "forms/main/NeighbourPrefetch.h"
#include "forms/main/Program.h"
#include "forms/picture/PictureControl.h"
#include "forms/render/DisplayDispatch.h"
#include "forms/viewer/ULarge.h"
#include "platform/art/Artwork.h"
#include "platform/ui/WindowPlacement.h"
#include "ui_MainUnit.h"

namespace tossbox {

namespace {

constexpr int kAutoAdvanceInterval = 3000;
constexpr int kPressMs = 100;

}  // namespace

MainNavigation::MainNavigation(Program& program, TForm1& window, Ui::TForm1& ui,
                               QMovie& findFolderMovie)
    : program_(program), window_(window), ui_(ui), findFolderMovie_(findFolderMovie) {}

QAction& MainNavigation::action(const char* name) const {
  return window_.action(QLatin1String(name));
}

std::size_t MainNavigation::CurrentListNumber() {
  EntryListBox& list = program_.form2().listBox1();
  if (list.selectedIndex() < 0) list.setSelectedIndex(0);
  return entryNumberOf(list.itemText(list.selectedIndex())).value_or(0);
}

void MainNavigation::updateCounter() {
  const EntryListBox& list = program_.form2().listBox1();
  const QString counter = QStringLiteral("%1/%2").arg(list.selectedIndex() + 1).arg(list.count());
  ui_.StaticText1->setText(counter);
  ui_.StaticText1->setAccessibleName(counter);
}

bool MainNavigation::ShowCurrent() {
  const NeighbourPrefetch prefetch(program_, kPreviewBox);
  window_.timer1().stop();
  TForm3& viewer = program_.form3();
  viewer.timer1().stop();
  closeVideoDevice(program_.media());
  program_.renderServices().unopenedVideo.clear();
  updateCounter();
  EntryListBox& list = program_.form2().listBox1();
  PictureControl& preview = window_.image1();
  if (list.count() == 0) {
    preview.clearPicture();
    viewer.image1().clearPicture();
    preview.show();
    return false;
  }
  SharedState& state = program_.state();
  state.files.showEntry(CurrentListNumber());
  if (!isExistingFile(state.files.currentFile())) {
    viewer.image1().clearPicture();
    preview.clearPicture();
    window_.setStatusText(QStringLiteral("ﾌｧｲﾙが見当たりません。"));
    const FitResult fit = FitRectangle(0, 54, kPreviewBox.height, kPreviewBox.width, 54);
    preview.applyFit(fit.height, fit.width, fit.top, fit.left);
    preview.setPicture(Picture(program_.art().imageList1(14).toImage()));
    preview.show();
    return false;
  }
  preview.hide();
  viewer.hideTextView();
  DisplayFile(preview, state.files.currentFile(), FastDecode::On, kPreviewBox, 0);
  if (window_.viewerButtonDown()) viewer.ViewerUpdate();
  window_.setStatusText(byteText(LastPathPart(state.files.currentFile())));
  return true;
}

void MainNavigation::DisplayFile(PictureControl& target, const std::string& path,
                                 FastDecode fastDecode, RenderBox box, int mode, TargetRole role) {
  const std::string ext = extensionOf(path);
  target.clearPicture();
  target.repaint();
  findFolderMovie_.stop();
  ui_.Animate1->hide();
  RenderServices& services = program_.renderServices();
  if (services.stopSound) services.stopSound();
  const RenderArgs args{.target = target,
                        .path = path,
                        .fastDecode = static_cast<int>(fastDecode),
                        .boxHeight = box.height,
                        .boxWidth = box.width,
                        .mode = mode,
                        .role = role};
  runDisplayDispatch(ext, [&](RendererId renderer) {
    return program_.renderers().call(renderer, services, args);
  });
}

void MainNavigation::ProgressUpdate(ProgressStage stage, int percent) {
  SharedState& state = program_.state();
  if (percent == 0) state.savedStatusText = window_.statusText();
  if (stage == ProgressStage::Running)
    window_.setStatusText(QStringLiteral("しばらくお待ち下さい．．．") +
                          QString::asprintf("%d%%", percent));
  else
    window_.setStatusText(state.savedStatusText);
  if (percent != 100) return;
  window_.setStatusText(state.savedStatusText);
  window_.timer2().stop();
  if (action("N16").isChecked()) return;
  window_.timer2().setInterval(kAutoAdvanceInterval);
  window_.timer2().start();
}

void MainNavigation::showWaitText() {
  program_.state().savedStatusText = window_.statusText();
  window_.setStatusText(QStringLiteral("しばらくお待ち下さい．．．"));
  // The load that follows keeps the event loop away; the line must show now.
  ui_.StatusBar1->repaint();
}

void MainNavigation::restoreStatusText() {
  window_.setStatusText(program_.state().savedStatusText);
}

void MainNavigation::setPictureCursor(int shape) {
  const QCursor& cursor = program_.art().cursor(shape);
  program_.screenCursor().set(cursor);
  ui_.Image1->setCursor(cursor);
}

void MainNavigation::showEntry(int index) {
  program_.form2().listBox1().setSelectedIndex(index);
  program_.state().rememberedListPosition = index;
  ShowCurrent();
}

bool MainNavigation::pictureEvent(QEvent& event) {
  switch (event.type()) {
    // The second press of a quick double click arrives as a double click: it steps too.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      const Qt::MouseButton button = static_cast<QMouseEvent&>(event).button();
      // This press is handled here; the video loop must not take it for a second step.
      (void)program_.asyncKeys().read(button);
      Image1MouseDown(button);
      return true;
    }
    case QEvent::MouseButtonRelease:
      Image1MouseUp();
      return true;
    case QEvent::MouseMove:
      // Taken here: passed on, the frame around the picture would reset the pointer.
      Image1MouseMove();
      return true;
    default:
      return false;
  }
}

void MainNavigation::Image1MouseDown(Qt::MouseButton button) {
  window_.ReleaseSpeedButton3();
  SharedState& state = program_.state();
  if (state.files.sortList().empty()) {
    program_.form8().openFor(true);
    return;
  }
  const EntryListBox& list = program_.form2().listBox1();
  const int index = list.selectedIndex();
  if (button == Qt::LeftButton) {
    setPictureCursor(Pointer::StepForward);
    if (index + 1 < list.count()) showEntry(index + 1);
    return;
  }
  setPictureCursor(Pointer::StepBack);
  if (index - 1 >= 0) showEntry(index - 1);
}

void MainNavigation::Image1MouseUp() {
  if (program_.state().files.sortList().empty()) return;
  setRestingPictureCursor();
}

void MainNavigation::setRestingPictureCursor() {
  const QCursor& cursor = program_.art().cursor(Pointer::Picture);
  program_.screenCursor().set(cursor);
  ui_.Image1->setCursor(cursor);
  ui_.Panel2->setCursor(cursor);
}

void MainNavigation::Image1MouseMove() {
  if (program_.state().files.sortList().empty()) {
    const QCursor& cursor = program_.art().cursor(Pointer::Picture);
    ui_.Image1->setCursor(cursor);
    ui_.Panel2->setCursor(cursor);
    ui_.Image1->setToolTip(QStringLiteral("ｸﾘｯｸで振分ﾌｫﾙﾀﾞ選択"));
  } else {
    ui_.Image1->setToolTip(QString());
  }
  program_.screenCursor().set(ui_.Image1->cursor());
}

void MainNavigation::stopAutoAdvance() {
  window_.timer2().stop();
  action("N8").setChecked(false);
  action("N15").setChecked(false);
  action("N16").setChecked(true);
}

void MainNavigation::autoAdvanceClick(QAction& item) {
  window_.ReleaseSpeedButton3();
  if (item.isChecked()) {
    stopAutoAdvance();
    return;
  }
  for (const char* name : {"N8", "N15", "N16"}) action(name).setChecked(&action(name) == &item);
  window_.timer2().setInterval(kAutoAdvanceInterval);
  window_.timer2().start();
}

void MainNavigation::N8Click() {
  autoAdvanceClick(action("N8"));
}
void MainNavigation::N15Click() {
  autoAdvanceClick(action("N15"));
}

void MainNavigation::N16Click() {
  window_.ReleaseSpeedButton3();
  if (action("N16").isChecked()) return;
  stopAutoAdvance();
}

void MainNavigation::showPress() {
  pressShowing_ = true;
  program_.pause(kPressMs);
  pressShowing_ = false;
  if (window_.timer2().isActive()) window_.timer2().start(kAutoAdvanceInterval);
}

void MainNavigation::stepAutoAdvance(bool forward) {
  Image1MouseDown(forward ? Qt::LeftButton : Qt::RightButton);
  showPress();
  Image1MouseUp();
}

void MainNavigation::Timer2Timer() {
  // The end of the press starts the interval again.
  if (pressShowing_) return;
  const EntryListBox& list = program_.form2().listBox1();
  const int index = list.selectedIndex();
  if (action("N8").isChecked()) {
    if (index < list.count() - 1)
      stepAutoAdvance(true);
    else
      stopAutoAdvance();
    return;
  }
  if (!action("N15").isChecked()) return;
  if (index > 0)
    stepAutoAdvance(false);
  else
    stopAutoAdvance();
}

void MainNavigation::PopupMenu2Popup() {
  const bool listed = program_.form2().listBox1().count() > 0;
  for (const char* name : {"N10", "N12", "N17"}) action(name).setEnabled(listed);
  for (const char* name : {"N9", "N13"}) action(name).setEnabled(true);
}

void MainNavigation::SpeedButton3Click() {
  if (!ui_.SpeedButton3->isChecked()) return;
  PopupMenu2Popup();
  const QPoint pointer = QCursor::pos();
  const int width = window_.popupMenu2().sizeHint().width();
  window_.popupMenu2().popup(QPoint(pointer.x() - width / 2, pointer.y() + 10));
}

void MainNavigation::SpeedButton2Click() {
  window_.setStatusText(QString());
  TForm2& listWindow = program_.form2();
  if (!ui_.SpeedButton2->isChecked()) {
    ui_.SpeedButton2->setIcon(program_.art().imageList3(ButtonImage::ListClosed));
    ui_.SpeedButton2->repaint();
    listWindow.close();
    return;
  }
  program_.screenCursor().reset();
  ui_.SpeedButton2->setIcon(program_.art().imageList3(ButtonImage::ListOpen));
  ui_.SpeedButton2->repaint();
  const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
  listWindow.move(besideLeft(screenWidth, window_.x(), window_.width(), listWindow.width()),
                  window_.y());
  if (!program_.state().files.sortList().empty())
    listWindow.listBox1().setSelectedIndex(program_.state().rememberedListPosition);
  if (!program_.history().empty()) listWindow.selectNewestHistoryLine();
  listWindow.show();
}

}  // namespace tossbox
