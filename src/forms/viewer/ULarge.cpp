#include "forms/viewer/ULarge.h"

#include <QActionGroup>

#include "forms/main/KeyCommands.h"

namespace tossbox {

TForm3::TForm3(Program& program)
    : ProgramWindow(program, QStringLiteral("Form3"), QString(),
                    Qt::Window | Qt::FramelessWindowHint) {
  setClientSize(320, 240, false);
  auto* doubleClick = new QActionGroup(this);
  const auto checkable = [this](const char* name, const char* caption) {
    auto* item = new QAction(QString::fromUtf8(caption), this);
    item->setObjectName(QLatin1String(name));
    item->setCheckable(true);
    return item;
  };
  close1_ = doubleClick->addAction(checkable("Close1", "閉じる"));
  n1_ = doubleClick->addAction(checkable("N1", "表示切替"));
  n2_ = checkable("N2", "ﾌﾙｽｸﾘｰﾝ表示");
  n8_ = checkable("N8", "常に中央表示");
  installKeyCommands(program, *this);
}

ViewerFlags TForm3::viewerFlags() const {
  return {close1_->isChecked(), n2_->isChecked(), n8_->isChecked()};
}

void TForm3::setViewerFlags(const ViewerFlags& flags) {
  close1_->setChecked(flags.closesOnDoubleClick);
  n1_->setChecked(!flags.closesOnDoubleClick);
  n2_->setChecked(flags.fullScreen);
  n8_->setChecked(flags.alwaysCentre);
}

}  // namespace tossbox
