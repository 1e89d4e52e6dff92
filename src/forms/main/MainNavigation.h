#pragma once
// The main window's moving through the files: the position is ListBox1's selection in the list
// window, ShowCurrent shows it, DisplayFile picks the renderer, and the picture area, the file
// menu and auto-advance step it. The window owns one and passes its controls in.
#include <QString>
#include <Qt>
#include <cstddef>
#include <string>

#include "forms/render/RenderBox.h"
#include "forms/render/RenderCall.h"
#include "forms/render/TargetRole.h"

namespace Ui {
class TForm1;
}
class QAction;
class QEvent;
class QMovie;

namespace tossbox {

class Program;
class PictureControl;
class TForm1;

class MainNavigation {
 public:
  MainNavigation(Program& program, TForm1& window, Ui::TForm1& ui, QMovie& findFolderMovie);
  MainNavigation(const MainNavigation&) = delete;
  MainNavigation& operator=(const MainNavigation&) = delete;

  // The entry number of ListBox1's selected row; the first row is selected when none is.
  [[nodiscard]] std::size_t CurrentListNumber();
  bool ShowCurrent();
  void DisplayFile(PictureControl& target, const std::string& path, FastDecode fastDecode,
                   RenderBox box, int mode, TargetRole role = TargetRole::Preview);
  void ProgressUpdate(ProgressStage stage, int percent);
  // The wait text of a long load, the status text saved first; and the saved text put back.
  void showWaitText();
  void restoreStatusText();
  // Selected index + 1, "/", the number of listed entries.
  void updateCounter();
  // Selects row `index`, remembers it and shows its file.
  void showEntry(int index);

  // Pointer shape `shape` on the screen and Image1.
  void setPictureCursor(int shape);
  // Pointer shape 1 on the screen, Image1 and Panel2.
  void setRestingPictureCursor();
  // The presses, releases and moves on Image1 and Panel2; true when the event is taken.
  bool pictureEvent(QEvent& event);
  void Image1MouseDown(Qt::MouseButton button);
  void Image1MouseUp();
  void Image1MouseMove();

  // Auto-advance (the file menu's N12 items) and its timer, Timer2.
  void N8Click();
  void N15Click();
  void N16Click();
  void Timer2Timer();
  // The visible 100 ms of a press. Auto-advance holds still meanwhile and counts its interval
  // again from the end of the press, so that no file goes by unseen.
  void showPress();

  void PopupMenu2Popup();
  // The file menu button and the list window's toggle.
  void SpeedButton3Click();
  void SpeedButton2Click();

 private:
  void stepAutoAdvance(bool forward);
  void stopAutoAdvance();
  void autoAdvanceClick(QAction& item);
  [[nodiscard]] QAction& action(const char* name) const;

  Program& program_;
  TForm1& window_;
  Ui::TForm1& ui_;
  QMovie& findFolderMovie_;
  bool pressShowing_ = false;
};

}  // namespace tossbox
