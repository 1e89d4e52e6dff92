// The main window's moving through the files: the position is ListBox1's
// selection in the list window, ShowCurrent shows it, DisplayFile picks the
// renderer, and the picture area, the file menu and auto-advance step it.
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
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

std::size_t TForm1::CurrentListNumber() {
  EntryListBox& list = program_.form2().listBox1();
  if (list.selectedIndex() < 0) list.setSelectedIndex(0);
  return entryNumberOf(list.itemText(list.selectedIndex())).value_or(0);
}

void TForm1::updateCounter() {
  const EntryListBox& list = program_.form2().listBox1();
  const QString counter = QStringLiteral("%1/%2").arg(list.selectedIndex() + 1).arg(list.count());
  ui_->StaticText1->setText(counter);
  ui_->StaticText1->setAccessibleName(counter);
}

bool TForm1::ShowCurrent() {
  const NeighbourPrefetch prefetch(program_, kPreviewBox);
  timer1_.stop();
  TForm3& viewer = program_.form3();
  viewer.timer1().stop();
  closeVideoDevice(program_.media());
  program_.renderServices().unopenedVideo.clear();
  updateCounter();
  EntryListBox& list = program_.form2().listBox1();
  PictureControl& preview = image1();
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
    setStatusText(QStringLiteral("ﾌｧｲﾙが見当たりません。"));
    const FitResult fit = FitRectangle(0, 54, kPreviewBox.height, kPreviewBox.width, 54);
    preview.applyFit(fit.height, fit.width, fit.top, fit.left);
    preview.setPicture(Picture(program_.art().imageList1(14).toImage()));
    preview.show();
    return false;
  }
  preview.hide();
  viewer.hideTextView();
  DisplayFile(preview, state.files.currentFile(), FastDecode::On, kPreviewBox, 0);
  if (viewerButtonDown()) viewer.ViewerUpdate();
  setStatusText(byteText(LastPathPart(state.files.currentFile())));
  return true;
}

void TForm1::DisplayFile(PictureControl& target, const std::string& path, FastDecode fastDecode,
                         RenderBox box, int mode, TargetRole role) {
  const std::string ext = extensionOf(path);
  target.clearPicture();
  target.repaint();
  findFolderMovie_.stop();
  ui_->Animate1->hide();
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

void TForm1::ProgressUpdate(ProgressStage stage, int percent) {
  SharedState& state = program_.state();
  if (percent == 0) state.savedStatusText = statusText();
  if (stage == ProgressStage::Running)
    setStatusText(QStringLiteral("しばらくお待ち下さい．．．") +
                  QString::asprintf("%d%%", percent));
  else
    setStatusText(state.savedStatusText);
  if (percent != 100) return;
  setStatusText(state.savedStatusText);
  timer2_.stop();
  if (action(QStringLiteral("N16")).isChecked()) return;
  timer2_.setInterval(kAutoAdvanceInterval);
  timer2_.start();
}

void TForm1::showWaitText() {
  program_.state().savedStatusText = statusText();
  setStatusText(QStringLiteral("しばらくお待ち下さい．．．"));
  // The load that follows keeps the event loop away; the line must show now.
  ui_->StatusBar1->repaint();
}

void TForm1::restoreStatusText() {
  setStatusText(program_.state().savedStatusText);
}

void TForm1::setPictureCursor(int shape) {
  const QCursor& cursor = program_.art().cursor(shape);
  program_.screenCursor().set(cursor);
  ui_->Image1->setCursor(cursor);
}

void TForm1::showEntry(int index) {
  program_.form2().listBox1().setSelectedIndex(index);
  program_.state().rememberedListPosition = index;
  ShowCurrent();
}

void TForm1::Image1MouseDown(Qt::MouseButton button) {
  ReleaseSpeedButton3();
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

void TForm1::Image1MouseUp() {
  if (program_.state().files.sortList().empty()) return;
  setRestingPictureCursor();
}

void TForm1::setRestingPictureCursor() {
  const QCursor& cursor = program_.art().cursor(Pointer::Picture);
  program_.screenCursor().set(cursor);
  ui_->Image1->setCursor(cursor);
  ui_->Panel2->setCursor(cursor);
}

void TForm1::Image1MouseMove() {
  if (program_.state().files.sortList().empty()) {
    const QCursor& cursor = program_.art().cursor(Pointer::Picture);
    ui_->Image1->setCursor(cursor);
    ui_->Panel2->setCursor(cursor);
    ui_->Image1->setToolTip(QStringLiteral("ｸﾘｯｸで振分ﾌｫﾙﾀﾞ選択"));
  } else {
    ui_->Image1->setToolTip(QString());
  }
  program_.screenCursor().set(ui_->Image1->cursor());
}

void TForm1::stopAutoAdvance() {
  timer2_.stop();
  action(QStringLiteral("N8")).setChecked(false);
  action(QStringLiteral("N15")).setChecked(false);
  action(QStringLiteral("N16")).setChecked(true);
}

void TForm1::autoAdvanceClick(QAction& item) {
  ReleaseSpeedButton3();
  if (item.isChecked()) {
    stopAutoAdvance();
    return;
  }
  for (const char* name : {"N8", "N15", "N16"})
    action(QLatin1String(name)).setChecked(&action(QLatin1String(name)) == &item);
  timer2_.setInterval(kAutoAdvanceInterval);
  timer2_.start();
}

void TForm1::N8Click() {
  autoAdvanceClick(action(QStringLiteral("N8")));
}
void TForm1::N15Click() {
  autoAdvanceClick(action(QStringLiteral("N15")));
}

void TForm1::N16Click() {
  ReleaseSpeedButton3();
  if (action(QStringLiteral("N16")).isChecked()) return;
  stopAutoAdvance();
}

void TForm1::showPress() {
  pressShowing_ = true;
  program_.pause(kPressMs);
  pressShowing_ = false;
  if (timer2_.isActive()) timer2_.start(kAutoAdvanceInterval);
}

void TForm1::stepAutoAdvance(bool forward) {
  Image1MouseDown(forward ? Qt::LeftButton : Qt::RightButton);
  showPress();
  Image1MouseUp();
}

void TForm1::Timer2Timer() {
  // The end of the press starts the interval again.
  if (pressShowing_) return;
  const EntryListBox& list = program_.form2().listBox1();
  const int index = list.selectedIndex();
  if (action(QStringLiteral("N8")).isChecked()) {
    if (index < list.count() - 1)
      stepAutoAdvance(true);
    else
      stopAutoAdvance();
    return;
  }
  if (!action(QStringLiteral("N15")).isChecked()) return;
  if (index > 0)
    stepAutoAdvance(false);
  else
    stopAutoAdvance();
}

void TForm1::PopupMenu2Popup() {
  const bool listed = program_.form2().listBox1().count() > 0;
  for (const char* name : {"N10", "N12", "N17"}) action(QLatin1String(name)).setEnabled(listed);
  for (const char* name : {"N9", "N13"}) action(QLatin1String(name)).setEnabled(true);
}

void TForm1::SpeedButton3Click() {
  if (!ui_->SpeedButton3->isChecked()) return;
  PopupMenu2Popup();
  const QPoint pointer = QCursor::pos();
  const int width = popupMenu2_.sizeHint().width();
  popupMenu2_.popup(QPoint(pointer.x() - width / 2, pointer.y() + 10));
}

void TForm1::SpeedButton2Click() {
  setStatusText(QString());
  TForm2& listWindow = program_.form2();
  if (!ui_->SpeedButton2->isChecked()) {
    ui_->SpeedButton2->setIcon(program_.art().imageList3(ButtonImage::ListClosed));
    ui_->SpeedButton2->repaint();
    listWindow.close();
    return;
  }
  program_.screenCursor().reset();
  ui_->SpeedButton2->setIcon(program_.art().imageList3(ButtonImage::ListOpen));
  ui_->SpeedButton2->repaint();
  const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
  listWindow.move(besideLeft(screenWidth, x(), width(), listWindow.width()), y());
  if (!program_.state().files.sortList().empty())
    listWindow.listBox1().setSelectedIndex(program_.state().rememberedListPosition);
  if (!program_.history().empty()) listWindow.selectNewestHistoryLine();
  listWindow.show();
}

}  // namespace tossbox
