// The help button on the caption bar.
#include <QToolButton>

#include "forms/main/MainUnit.h"
#include "ui_MainUnit.h"

namespace tossbox {

void TForm1::SpeedButton7Click() {
  if (!ui_->SpeedButton7->isChecked()) return;
  help_.setWindowIcon(windowIcon());
  if (!help_.isVisible()) help_.placeBeside(frameGeometry());
  help_.showContents();
  help_.show();
  help_.raise();
  help_.activateWindow();
  ui_->SpeedButton7->setChecked(false);
}

}  // namespace tossbox
