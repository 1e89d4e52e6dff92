#pragma once
// The settings of one folder button (the one CurrentButton names): its folder, serial renaming
// and same-name policy. It is modeless but behaves as modal: while it is shown the main window,
// the list window and the viewer are disabled, and closing it in any way enables them again.
#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "core/settings/SettingsRecord.h"
#include "forms/common/ProgramWindow.h"

namespace Ui {
class TFolderSett;
}
class QLineEdit;

namespace tossbox {

class TFolderSett : public ProgramWindow {
  Q_OBJECT
 public:
  explicit TFolderSett(Program& program);
  ~TFolderSett() override;

  // What the dialog shows of one button: Edit1, Edit2, Edit3, CheckBox1 and the radio buttons.
  struct TargetFields {
    QString folder;
    QString serialPrefix;
    QString serialNumber;
    bool serialRename = false;
    std::optional<SameName> sameName;  // none marked: the stored rule stays
  };
  [[nodiscard]] TargetFields targetFields() const;
  void setTargetFields(const TargetFields& fields);

  void FormShow() override;
  void FormClose() override;
  void CheckBox1Click();
  // "参照": the folder selection dialog chooses the button's folder.
  void Button1Click();
  void Button3Click();
  // "適用": checks, asks about a missing folder, stores, then closes or asks for more.
  void Button4Click();

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  // Edit2, Edit3 and Label2 are usable only with serial renaming.
  void applySerialEnabling(bool on);
  // The folder text as bytes: the stored bytes while the text shows them unchanged.
  [[nodiscard]] std::string folderBytes();
  void setFolderText(const std::string& bytes);

  std::unique_ptr<Ui::TFolderSett> ui_;
};

}  // namespace tossbox
