#pragma once
// The list of files to sort and the action history, beside the main window.
// Its ListBox1 lives for the whole run: its selection is the position on
// show for every window, also while this window is hidden.
#include <QMenu>
#include <QPoint>
#include <QRect>
#include <cstddef>
#include <optional>
#include <string>

#include "core/sorting/HistoryList.h"
#include "core/sorting/UndoAction.h"
#include "forms/common/ProgramWindow.h"
#include "forms/list/EntryListBox.h"
#include "platform/ui/FramelessFrame.h"

class QLabel;
class QListWidget;
class QSplitter;
class QToolButton;

namespace tossbox {

class TForm2 : public ProgramWindow, private HistoryObserver {
  Q_OBJECT
 public:
  explicit TForm2(Program& program);
  ~TForm2() override;

  // The one-pixel border and the sizing frame around the controls.
  static constexpr int kFrame = 3;

  EntryListBox& listBox1() { return *listBox1_; }
  QListWidget& listBox2() { return *listBox2_; }
  QLabel& panel1() { return *panel1_; }
  QLabel& panel2() { return *panel2_; }
  QToolButton& speedButton1() { return *speedButton1_; }
  QMenu& popupMenu1() { return popupMenu1_; }
  QMenu& popupMenu2() { return popupMenu2_; }
  [[nodiscard]] QAction& action(const QString& name) const;

  // What a double click on a line of ListBox1 does (N3 / N4); none until one is marked.
  enum class ListDoubleClick { OpensFolder, OpensFile };
  [[nodiscard]] std::optional<ListDoubleClick> doubleClickAction() const;
  void setDoubleClickAction(ListDoubleClick action);
  // The ascending-order mark (N10).
  [[nodiscard]] bool sortAscending() const;
  void setSortAscending(bool on);

  // Fills ListBox1 from the entries through the kind filter, recounts the
  // kinds in the filter dialog and shows the selected entry.
  void RebuildList();

  void SpeedButton1Click();
  // A press on a line shows it; a right press leaves the selection alone.
  void ListBox1MouseDown(Qt::MouseButton button, const QPoint& at);
  void ListBox1MouseMove(Qt::MouseButtons buttons, const QPoint& at);
  void ListBox1MouseUp();
  void ListBox1DblClick();
  void N3Click();
  void N4Click();
  void N7Click();
  void N10Click();

  // ListBox2 mirrors the history line for line (UListHistory.cpp), told by the history itself.
  void selectNewestHistoryLine();
  // The entry an undo acts on: the selected line, else the newest; nullopt when empty.
  [[nodiscard]] std::optional<std::size_t> selectedHistoryIndex();
  // Undoes that entry, reports it in the main window's status line and shows the file.
  UndoOutcome UndoSelected();
  void ListBox2MouseDown(Qt::MouseButton button);
  void Undo1Click();
  void N15Click();
  void N13Click();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  void FormResize();
  void buildControls();
  void buildMenus();
  void Panel1MouseDown(const QPoint& at);
  void Panel1MouseMove(QMouseEvent* event);
  bool listBox1Event(QEvent* event);
  bool listBox2Event(QEvent* event);
  // Asks before the log replaces the file at `path`, which then goes to the trash.
  [[nodiscard]] bool replaceLogAgreed(const std::string& path);
  // After a key moved the selection of ListBox1: show what it selects now.
  void followSelection();
  // A new line is appended and selected; a changed one is redrawn.
  void historyAppended(std::size_t index) override;
  void historyLineChanged(std::size_t index) override;
  void historyCleared() override;

  EntryListBox* listBox1_;
  QListWidget* listBox2_ = nullptr;
  QLabel* panel1_ = nullptr;
  QLabel* panel2_ = nullptr;
  QToolButton* speedButton1_ = nullptr;
  QSplitter* splitter1_ = nullptr;
  QMenu popupMenu1_;
  QMenu popupMenu2_;
  QMenu n2Menu_;
  QAction* n3_ = nullptr;
  QAction* n4_ = nullptr;
  QAction* n10_ = nullptr;

  // Set while a button that went down on a line of ListBox1 is held.
  bool listDragging_ = false;
  // Moved by the caption panels, sized by every edge of the frame.
  FramelessFrame frame_{*this, kFrame, Qt::LeftEdge | Qt::RightEdge | Qt::TopEdge | Qt::BottomEdge};
};

}  // namespace tossbox
