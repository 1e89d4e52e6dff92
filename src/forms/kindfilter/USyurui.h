#pragma once
// The kind filter: which file kinds the list shows, with the count of each
// kind among all collected entries. A change is stored and the list rebuilt
// when a mouse button is released over a box or a button is pressed.
#include <QCheckBox>
#include <array>

#include "core/files/DisplayedList.h"
#include "forms/common/ProgramWindow.h"

class QLabel;
class QPushButton;

namespace tossbox {

// A check box that tells when a mouse button was released over it, after it toggled.
class ReleaseCheckBox : public QCheckBox {
  Q_OBJECT
 public:
  using QCheckBox::QCheckBox;
 signals:
  void mouseReleased();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

class TFSyurui : public ProgramWindow {
  Q_OBJECT
 public:
  explicit TFSyurui(Program& program);

  // kind 1..17, the kind's number
  [[nodiscard]] bool kindChecked(int kind) const;
  void setKindChecked(int kind, bool checked);
  [[nodiscard]] QString countText(int kind) const;
  void setCounts(const KindCounts& counts);
  void resetCounts();

  // Opens the dialog beside the main window (the file menu's N13).
  void PlaceBesideMain();

 public slots:
  void CheckBox1MouseDown();
  void Button1Click();
  void Button2Click();

 protected:
  void FormShow() override;

 private:
  void setAll(bool checked);

  std::array<ReleaseCheckBox*, kFileKindCount> checkBoxes_{};
  std::array<QLabel*, kFileKindCount> labels_{};
};

}  // namespace tossbox
