// The main window's ways into the enlarged viewer and the information window: the toggle
// button SpeedButton1, the file menu's "ﾌｧｲﾙ情報" and the preview shown again after either
// took the video device away from it.
#include <QToolButton>

#include "core/files/FileKind.h"
#include "core/files/PathRules.h"
#include "core/shellns/FolderHandle.h"
#include "forms/fileinfo/UFileInfo.h"
#include "forms/list/UList.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"
#include "forms/viewer/ULarge.h"
#include "platform/art/Artwork.h"
#include "platform/ui/ScreenCursor.h"
#include "ui_MainUnit.h"

namespace tossbox {

void TForm1::connectViewerHandlers() {
  connect(ui_->SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
  connect(&action(QStringLiteral("N17")), &QAction::triggered, this, &TForm1::N17Click);
}

bool TForm1::viewerButtonDown() const {
  return ui_->SpeedButton1->isChecked();
}

void TForm1::showViewerButton(bool down) {
  ui_->SpeedButton1->setIcon(
      program_.art().imageList3(down ? ButtonImage::EnlargeDown : ButtonImage::EnlargeUp));
  ui_->SpeedButton1->repaint();
}

void TForm1::releaseViewerButton() {
  ui_->SpeedButton1->setChecked(false);
  showViewerButton(false);
}

void TForm1::renderPreviewAgain() {
  DisplayFile(image1(), program_.state().files.currentFile(), FastDecode::On, kPreviewBox, 0);
}

void TForm1::SpeedButton1Click() {
  program_.screenCursor().reset();
  setStatusText(QString());
  const std::string& current = program_.state().files.currentFile();
  const std::string ext = isExistingFile(current) ? extensionOf(current) : std::string("???");
  if (!enlargeableExtension(ext)) {
    setStatusText(QStringLiteral("拡大表示できません"));
    releaseViewerButton();
    return;
  }
  showViewerButton(true);
  TForm3& viewer = program_.form3();
  if (ui_->SpeedButton1->isChecked() && program_.form2().listBox1().count() > 0) {
    if (program_.state().files.sortList().empty()) {
      releaseViewerButton();
      return;
    }
    viewer.show();
    ShowCurrent();
    return;
  }
  if (ext == ".avi") renderPreviewAgain();
  showViewerButton(false);
  viewer.close();
}

void TForm1::N17Click() {
  program_.form6().show();
  ReleaseSpeedButton3();
}

}  // namespace tossbox
