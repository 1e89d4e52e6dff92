#pragma once
// The new-folder dialog of the folder selection: it makes a folder of the typed name below the
// path in the folder selection's Edit1, and leaves the new path there. The folder selection is
// disabled while it is shown.
#include <memory>

#include "forms/common/ProgramWindow.h"

namespace Ui {
class TForm9;
}
class QLineEdit;
class QPushButton;

namespace tossbox {

class TForm9 : public ProgramWindow {
  Q_OBJECT
 public:
  explicit TForm9(Program& program);
  ~TForm9() override;

  [[nodiscard]] QLineEdit& edit1() const;
  // 1 Cancel, 2 create ("作 成").
  [[nodiscard]] QPushButton& bitBtn(int number) const;

 public slots:
  void BitBtn1Click();
  void BitBtn2Click();

 private:
  void FormShow() override;
  void FormClose() override;

  std::unique_ptr<Ui::TForm9> ui_;
};

}  // namespace tossbox
