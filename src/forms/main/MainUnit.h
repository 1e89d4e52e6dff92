#pragma once
// The main window: a small borderless always-on-top window 219 pixels wide
// with a home-made caption bar, the preview, the tool row, the six folder
// buttons and the status line. Its height is the only thing the user sizes.
#include <QMenu>
#include <QMovie>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "core/files/FolderScan.h"
#include "forms/help/HelpWindow.h"
#include "forms/main/MainCollection.h"
#include "forms/main/MainDrops.h"
#include "forms/main/MainNavigation.h"
#include "forms/main/MainSorting.h"
#include "forms/render/RenderBox.h"
#include "forms/render/RenderCall.h"
#include "forms/render/TargetRole.h"
#include "platform/tray/IconTray.h"
#include "platform/ui/FramelessFrame.h"

namespace Ui {
class TForm1;
}
class QAction;
class QActionGroup;
class QLabel;
class QToolButton;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;

namespace tossbox {

class Program;
class PictureControl;

class TForm1 : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kFrame = 5;  // one-pixel border and the sizing frame
  static constexpr int kWidth = 219;
  static constexpr int kMinHeight = 240;
  static constexpr int kMaxHeight = 402;
  static constexpr int kDesignedHeight = 399;  // client 209 x 389 with the frame
  // Timer1's tick while a video plays, in ms: quick enough to catch a click, slow enough
  // not to keep a core busy.
  static constexpr int kVideoLoopInterval = 15;
  static constexpr int kTrayWatchInterval = 2000;

  explicit TForm1(Program& program);
  ~TForm1() override;

  // Controls by their names, for the program's other windows.
  [[nodiscard]] PictureControl& image1() const;
  [[nodiscard]] QLabel& staticText1() const;
  [[nodiscard]] QToolButton& speedButton(int number) const;
  [[nodiscard]] QToolButton& folderButton(int number) const;
  [[nodiscard]] QString statusText() const;
  void setStatusText(const QString& text);

  QMenu& popupMenu1() { return popupMenu1_; }
  QMenu& popupMenu2() { return popupMenu2_; }
  QMenu& trayMenu() { return trayMenu_; }
  TIconTray& IconTray1() { return iconTray1_; }
  [[nodiscard]] QAction& action(const QString& name) const;
  // The copy/move mark of the folder-button menu (Copy1 / GoTo1).
  [[nodiscard]] bool movesOnPress() const;
  void setMovesOnPress(bool moves);
  QTimer& timer1() { return timer1_; }
  QTimer& timer2() { return timer2_; }
  HelpWindow& helpWindow() { return help_; }

  // Puts the window where a stored or default position says, keeping the limits.
  void applyPlacement(int top, int left, int height);

  void MinimizeApplication();
  void RestoreApplication();

  // Moving through the files and showing them (MainNavigation), for the other windows.
  [[nodiscard]] std::size_t CurrentListNumber() { return navigation_.CurrentListNumber(); }
  bool ShowCurrent() { return navigation_.ShowCurrent(); }
  void DisplayFile(PictureControl& target, const std::string& path, FastDecode fastDecode,
                   RenderBox box, int mode, TargetRole role = TargetRole::Preview) {
    navigation_.DisplayFile(target, path, fastDecode, box, mode, role);
  }
  void ProgressUpdate(ProgressStage stage, int percent) {
    navigation_.ProgressUpdate(stage, percent);
  }
  void showWaitText() { navigation_.showWaitText(); }
  void restoreStatusText() { navigation_.restoreStatusText(); }
  void setRestingPictureCursor() { navigation_.setRestingPictureCursor(); }
  void Image1MouseDown(Qt::MouseButton button) { navigation_.Image1MouseDown(button); }
  void Image1MouseUp() { navigation_.Image1MouseUp(); }
  void Image1MouseMove() { navigation_.Image1MouseMove(); }
  void Timer2Timer() { navigation_.Timer2Timer(); }
  void PopupMenu2Popup() { navigation_.PopupMenu2Popup(); }
  void SpeedButton2Click() { navigation_.SpeedButton2Click(); }
  void N8Click() { navigation_.N8Click(); }
  void N15Click() { navigation_.N15Click(); }
  // The video in the preview (MainVideo.cpp): Timer1 loops it and turns clicks on it into steps.
  void startVideoLoop();
  void Timer1Timer();
  // The enlarged viewer's toggle and the information window's menu item (MainViewer.cpp).
  void SpeedButton1Click();
  void N17Click();
  [[nodiscard]] bool viewerButtonDown() const;
  // SpeedButton1 up, with its up picture.
  void releaseViewerButton();
  // The file on show drawn into the preview again, as stepping draws it.
  void renderPreviewAgain();

  // Collecting files (MainCollection), for the other windows.
  void AddPath(const std::string& path) { collection_.AddPath(path); }
  void LoadPaths(const std::vector<std::string>& paths) { collection_.LoadPaths(paths); }
  void ClearList(bool fromMainMenu) { collection_.ClearList(fromMainMenu); }
  void N13Click() { collection_.N13Click(); }

  // Sorting with the folder buttons, delete and undo (MainSorting), for the other windows.
  void FLDBtn1MouseDown(QToolButton& sender, Qt::MouseButton button) {
    sorting_.FLDBtn1MouseDown(sender, button);
  }
  void FLDBtn1MouseUp() { sorting_.FLDBtn1MouseUp(); }
  void N1Click() { sorting_.N1Click(); }
  void N3Click() { sorting_.N3Click(); }
  void AdvanceAfterAction() { sorting_.AdvanceAfterAction(); }
  void SpeedButton5MouseDown() { sorting_.SpeedButton5MouseDown(); }
  void SpeedButton5Click() { sorting_.SpeedButton5Click(); }
  void SpeedButton6MouseDown() { sorting_.SpeedButton6MouseDown(); }
  void SpeedButton6MouseUp() { sorting_.SpeedButton6MouseUp(); }

 public slots:
  void SpeedButton4Click();
  // Help (MainHelp.cpp): the guide at its contents; the button springs back.
  void SpeedButton7Click();
  void Exit1Click();
  void Panel3DblClick();
  void ReleaseSpeedButton3();
  // The tray (MainTray.cpp): hiding the program's windows into it and back, the about box,
  // and following a tray that comes or goes.
  void N14Click();
  void TOSSBOX1Click();
  void watchTray();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void FormCreate();
  void FormShow();
  void FormClose();
  void FormDestroy();
  void FormMouseDown(QMouseEvent* event);
  void FormMouseMove(QMouseEvent* event);
  void controlMouseMove(QWidget* control);

  void connectHandlers();
  void connectViewerHandlers();
  void showViewerButton(bool down);
  void buildMenus();
  void applyLook();
  void setUpIconTray();
  void addTrayIconLate();
  void trayLost();
  void reportTrayError();
  void layoutClient();

  Program& program_;
  std::unique_ptr<Ui::TForm1> ui_;
  QMenu popupMenu1_;
  QMenu n3Menu_;
  QAction* copy1_ = nullptr;
  QAction* goTo1_ = nullptr;
  QMenu popupMenu2_;
  QMenu n12Menu_;
  QMenu trayMenu_;
  QTimer timer1_;
  QTimer timer2_;
  // Polls for a tray that appears or goes away: the desktop says nothing of either.
  QTimer trayWatch_;
  QMovie findFolderMovie_;
  HelpWindow help_;
  MainNavigation navigation_{program_, *this, *ui_, findFolderMovie_};
  MainCollection collection_{program_, *this, *ui_, findFolderMovie_, navigation_};
  MainSorting sorting_{program_, *this, *ui_, navigation_};
  MainDrops drops_{program_, *this, collection_};

  bool firstShowDone_ = false;
  // Moved by the caption bar; only the height is sized, by the top and bottom frame.
  FramelessFrame frame_{*this, kFrame, Qt::TopEdge | Qt::BottomEdge};
  bool applicationMinimized_ = false;
  bool minimizingAlone_ = false;
  // The eight windows' visibility before they were hidden into the tray.
  std::array<bool, 8> savedVisibility_{};
  bool trayErrorShown_ = false;
  // After the menus: it refers to TrayMenu.
  TIconTray iconTray1_;
};

}  // namespace tossbox
