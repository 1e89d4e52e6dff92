// The main window's tray icon IconTray1 and the tray menu's own items: hiding the program's
// windows into the tray and back, and the about box.
#include <QAction>

#include "forms/about/About.h"
#include "forms/fileinfo/UFileInfo.h"
#include "forms/folderselect/UFileSelect.h"
#include "forms/foldersettings/UFolderSett.h"
#include "forms/kindfilter/USyurui.h"
#include "forms/list/UList.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"
#include "forms/samename/UWarning.h"
#include "forms/viewer/ULarge.h"
#include "platform/art/Artwork.h"
#include "platform/prompt/MessageBoxes.h"
#include "platform/ui/WindowPlacement.h"

namespace tossbox {

namespace {

const QString kTrayHint = QStringLiteral("TOSSBOX.");

}  // namespace

void TForm1::setUpIconTray() {
  QAction& n14 = action(QStringLiteral("N14"));
  // Decided by the check mark it had before the click.
  connect(&n14, &QAction::triggered, this, [this, &n14](bool checked) {
    n14.setChecked(!checked);
    N14Click();
  });
  connect(&action(QStringLiteral("TOSSBOX1")), &QAction::triggered, this, &TForm1::TOSSBOX1Click);
  iconTray1_.setHint(kTrayHint);
  iconTray1_.setRBtnPopupMenu(&trayMenu_);
  connect(&iconTray1_, &TIconTray::OnClick, this, &TForm1::N14Click);
  // Many desktops have no tray: the program starts without the icon and adds it when one
  // appears. Only a tray that is there and refuses is worth a word.
  try {
    iconTray1_.setIcon(program_.art().programIcon());
  } catch (const EIconTrayError&) {
    if (program_.trayShell().trayAvailable()) reportTrayError();
  }
  n14.setEnabled(iconTray1_.Registered());
  trayWatch_.setInterval(kTrayWatchInterval);
  connect(&trayWatch_, &QTimer::timeout, this, &TForm1::watchTray);
  trayWatch_.start();
}

void TForm1::watchTray() {
  const bool available = program_.trayShell().trayAvailable();
  if (!available && iconTray1_.Registered()) trayLost();
  if (available && !iconTray1_.Registered()) addTrayIconLate();
  action(QStringLiteral("N14")).setEnabled(available && iconTray1_.Registered());
}

void TForm1::addTrayIconLate() {
  try {
    iconTray1_.UpdateTrayIcon(true);
  } catch (const EIconTrayError&) {
    reportTrayError();
  }
}

void TForm1::trayLost() {
  // Without the icon nothing could bring hidden windows back.
  if (action(QStringLiteral("N14")).isChecked()) N14Click();
  try {
    // Gone with the tray; taken off here so that a new tray gets it added afresh.
    iconTray1_.UpdateTrayIcon(false);
  } catch (const EIconTrayError&) {
    // Still counted as shown; the next look tries again.
  }
}

// Said once a run: the watch keeps trying and must not bring a box every time.
void TForm1::reportTrayError() {
  if (trayErrorShown_) return;
  trayErrorShown_ = true;
  program_.boxes().error(QString::fromUtf8(EIconTrayError().what()),
                         firstShowDone_ ? this : nullptr);
}

void TForm1::N14Click() {
  if (!firstShowDone_) return;
  const std::array<QWidget*, 8> windows{this,
                                        &program_.form2(),
                                        &program_.form3(),
                                        &program_.form5(),
                                        &program_.form6(),
                                        &program_.form8(),
                                        &program_.folderSett(),
                                        &program_.fSyurui()};
  QAction& n14 = action(QStringLiteral("N14"));
  if (n14.isChecked()) {
    n14.setChecked(false);
    for (std::size_t n = 0; n < windows.size(); ++n) {
      if (!savedVisibility_[n]) continue;
      if (auto* window = qobject_cast<ProgramWindow*>(windows[n]))
        window->showAsItWas();
      else
        windows[n]->show();
    }
    SetTopmost(*this);
    return;
  }
  n14.setChecked(true);
  navigation_.N16Click();
  for (std::size_t n = 0; n < windows.size(); ++n) savedVisibility_[n] = windows[n]->isVisible();
  for (QWidget* window : windows) window->hide();
}

void TForm1::TOSSBOX1Click() {
  TSTVabout& about = program_.stvAbout();
  SetTopmost(about);
  about.activateWindow();
}

}  // namespace tossbox
