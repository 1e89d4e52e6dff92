#pragma once
// The main window's sorting: the six folder buttons with their menu, the step to the next file
// after an action, the delete button and the undo button. The window owns one and passes its
// controls in.
#include <Qt>

namespace Ui {
class TForm1;
}
class QEvent;
class QObject;
class QPoint;
class QToolButton;
class QWidget;

namespace tossbox {

class MainNavigation;
class Program;
class TForm1;

class MainSorting {
 public:
  MainSorting(Program& program, TForm1& window, Ui::TForm1& ui, MainNavigation& navigation);
  MainSorting(const MainSorting&) = delete;
  MainSorting& operator=(const MainSorting&) = delete;

  // True when the event was a folder button's or a sorting button's and is handled.
  bool sortingEvent(QWidget* control, QEvent* event);

  void FLDBtn1MouseDown(QToolButton& sender, Qt::MouseButton button);
  void FLDBtn1MouseMove(QToolButton& sender);
  void FLDBtn1MouseUp();
  // The folder-button menu PopupMenu1 and its items.
  void N1Click();
  void N3Click();
  void Copy1Click();
  void GoTo1Click();
  void N4Click();
  // Steps to the next entry (not beyond the last) and shows it.
  void AdvanceAfterAction();
  void SpeedButton5MouseDown();
  void SpeedButton5Click();
  void SpeedButton5MouseUp();
  void SpeedButton6MouseDown();
  void SpeedButton6Click();
  void SpeedButton6MouseUp();

 private:
  [[nodiscard]] int folderButtonNumber(const QObject* control) const;
  // Sorts the file on show with button n; true when the list goes on to the next file.
  bool sortWithButton(int n);
  void popupFolderMenu(const QPoint& at);

  Program& program_;
  TForm1& window_;
  Ui::TForm1& ui_;
  MainNavigation& navigation_;
};

}  // namespace tossbox
