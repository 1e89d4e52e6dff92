#pragma once
// The enlarged viewer: the file on show at natural size or fitted to the
// screen, in a borderless window with a one-pixel border and the file name in
// a yellow title strip. Pictures and videos are shown in Image1, texts listed
// in ListBox1. It follows the main window as the user steps from file to file.
#include <QMenu>
#include <QPoint>
#include <QTimer>

#include "core/picture/ViewerGeometry.h"
#include "forms/common/ProgramWindow.h"
#include "platform/ui/FramelessFrame.h"

class QLabel;
class QFrame;
class QMouseEvent;

namespace tossbox {

class PictureControl;
class TextLinesList;

// The viewer's menu marks.
struct ViewerFlags {
  bool closesOnDoubleClick = false;  // Close1; otherwise N1 switches the display
  bool fullScreen = false;           // N2
  bool alwaysCentre = false;         // N8
};

class TForm3 : public ProgramWindow {
  Q_OBJECT
 public:
  // Timer1's tick while a video plays in the viewer, in ms (as the main window's video loop).
  static constexpr int kVideoPollInterval = 15;

  explicit TForm3(Program& program);

  [[nodiscard]] ViewerFlags viewerFlags() const;
  void setViewerFlags(const ViewerFlags& flags);

  [[nodiscard]] PictureControl& image1() const { return *image1_; }
  [[nodiscard]] QLabel& panel1() const { return *panel1_; }
  [[nodiscard]] QFrame& panel2() const { return *panel2_; }
  [[nodiscard]] TextLinesList& listBox1() const { return *listBox1_; }
  [[nodiscard]] QAction& action(const QString& name) const;
  QMenu& popupMenu1() { return popupMenu1_; }
  QTimer& timer1() { return timer1_; }

  // The area the viewer fills: the available part of the screen holding the main window.
  [[nodiscard]] ScreenArea screenArea();

  // What ShowCurrent does to the viewer: before each display the text view goes, and while
  // SpeedButton1 is down ViewerUpdate shows CurrentFile (or closes for a kind it cannot
  // enlarge).
  void hideTextView();
  void ViewerUpdate();
  // The text renderer's viewer step: lists the shown text and places the window for `mode`.
  void listText(int mode);
  // The video renderer's viewer step.
  void startVideoPolling();

  void Image1DblClick();
  void Close1Click();
  void N1Click();
  void N2Click();
  void N8Click();
  void Close2Click();
  void Timer1Timer();

 protected:
  void FormShow() override;
  void hideEvent(QHideEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  void buildMenu();
  void watch(QWidget& control);
  void FormMouseDown(const QMouseEvent& event, const QString& control);
  void FormMouseMove(const QMouseEvent& event);
  [[nodiscard]] bool pointerOverPicture() const;
  void closeAndRelease();

  QWidget* client_ = nullptr;  // inside the border
  QLabel* panel1_ = nullptr;
  PictureControl* image1_ = nullptr;
  QFrame* panel2_ = nullptr;
  TextLinesList* listBox1_ = nullptr;
  QTimer timer1_;
  QMenu popupMenu1_;
  QMenu dblcMenu_;
  QAction* close1_ = nullptr;
  QAction* n1_ = nullptr;
  QAction* n2_ = nullptr;
  QAction* n8_ = nullptr;
  QAction* close2_ = nullptr;

  // Where the last press was, and whether a drag may still start from it.
  QPoint dragPress_;
  bool dragArmed_ = false;
  bool dragFromTextFrame_ = false;
  FramelessFrame frame_{*this, 0, Qt::Edges()};
};

}  // namespace tossbox
