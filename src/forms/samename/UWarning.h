#pragma once
// The same-name dialog: a folder button's file would land on a name that holds a file already.
// It shows both files side by side and asks whether to overwrite, to save under another name or
// to leave it. It is modeless but behaves as modal: while it is shown the main window, the list
// window and the viewer are disabled. The answers act on the pair it was given, not on the file
// on show, which auto-advance may have changed meanwhile.
#include <memory>
#include <string>

#include "forms/common/ProgramWindow.h"

namespace Ui {
class TForm5;
}

namespace tossbox {

class PictureControl;

class TForm5 : public ProgramWindow {
  Q_OBJECT
 public:
  explicit TForm5(Program& program);
  ~TForm5() override;

  // Shows the dialog for sorting `source` onto the taken name `target` with button `button`.
  void Ask(int button, std::string source, std::string target);

  [[nodiscard]] const std::string& conflictSource() const { return conflictSource_; }
  [[nodiscard]] const std::string& conflictTarget() const { return conflictTarget_; }
  PictureControl& image1();
  PictureControl& image2();

  void FormShow() override;
  void FormClose() override;
  // "ｷｬﾝｾﾙ", "新規保存", "上書き".
  void Button1Click();
  void Button2Click();
  void Button3Click();

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  // Sorts the pending file to `target` as the button says; a failure keeps the list on it.
  void answer(const std::string& target);

  std::unique_ptr<Ui::TForm5> ui_;
  int button_ = 0;
  std::string conflictSource_;
  std::string conflictTarget_;
  // Cleared when an answer failed: the list then stays on the file, whose failure is shown.
  bool advanceOnClose_ = true;
};

}  // namespace tossbox
