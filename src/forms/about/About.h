#pragma once
// The about box: the program's icon, name and version, and OK, which hides it. The one box
// lives for the whole run; opening it again brings the same window forward.
#include <memory>

#include "forms/common/ProgramWindow.h"

namespace Ui {
class TSTVabout;
}
class QLabel;
class QPushButton;

namespace tossbox {

class TSTVabout : public ProgramWindow {
  Q_OBJECT
 public:
  explicit TSTVabout(Program& program);
  ~TSTVabout() override;

  [[nodiscard]] QLabel& image1() const;
  [[nodiscard]] QLabel& label1() const;
  [[nodiscard]] QLabel& label3() const;
  [[nodiscard]] QPushButton& button1() const;

 public slots:
  void Button1Click();

 private:
  std::unique_ptr<Ui::TSTVabout> ui_;
};

}  // namespace tossbox
