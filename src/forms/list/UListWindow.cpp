// The list window's frame and upper half: its controls, moving it by its
// caption panels, sizing it by its frame, the close button, and the list of
// files with its menu (clicks and dragging show files, a double-click opens).
#include <QAction>
#include <QActionGroup>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <stdexcept>
#include <string>

#include "core/sorting/SortPaths.h"
#include "forms/list/UList.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"
#include "platform/art/Artwork.h"
#include "platform/ui/Fonts.h"

namespace tossbox {

namespace {

constexpr int kClientWidth = 166;
constexpr int kClientHeight = 204;
constexpr int kPanel1Height = 18;
constexpr int kListBox1Height = 138;
constexpr int kSplitterHeight = 4;
constexpr int kPanel2Height = 16;
// SpeedButton1 stands this far from Panel1's right edge.
constexpr int kCloseButtonInset = 18;

void setColours(QWidget& widget, const QColor& background, const QColor& text) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::WindowText, text);
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}

QAction* addItem(QMenu& menu, QWidget& owner, const char* name, const QString& caption) {
  auto* item = new QAction(caption, &owner);
  item->setObjectName(QLatin1String(name));
  menu.addAction(item);
  return item;
}

}  // namespace

QAction& TForm2::action(const QString& name) const {
  auto* item = findChild<QAction*>(name);
  if (item == nullptr) throw std::logic_error("no menu item " + name.toStdString());
  return *item;
}

void TForm2::FormCreate() {
  listDragging_ = false;
  setFont(pixelFont(kPGothic, 12));
  setMouseTracking(true);
  buildControls();
  buildMenus();
  resize(kClientWidth + 2 * kFrame, kClientHeight + 2 * kFrame);
  // The splitter shares out the height it has; give it its real height first.
  layout()->activate();
  splitter1_->setSizes(
      {kListBox1Height, kClientHeight - kPanel1Height - kListBox1Height - kSplitterHeight});
}

void TForm2::buildControls() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kFrame, kFrame, kFrame, kFrame);
  layout->setSpacing(0);

  panel1_ = new QLabel(QStringLiteral(" 振分ﾌｧｲﾙ一覧"), this);
  panel1_->setObjectName(QStringLiteral("Panel1"));
  panel1_->setFixedHeight(kPanel1Height);
  panel1_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  panel1_->setFont(pixelFont(kGothic, 13));
  setColours(*panel1_, palette().color(QPalette::Active, QPalette::Highlight),
             palette().color(QPalette::Active, QPalette::HighlightedText));
  layout->addWidget(panel1_);

  speedButton1_ = new QToolButton(panel1_);
  speedButton1_->setObjectName(QStringLiteral("SpeedButton1"));
  speedButton1_->setFocusPolicy(Qt::NoFocus);
  speedButton1_->setIcon(program().art().glyph(Glyph::Exit));
  speedButton1_->setIconSize(QSize(12, 12));
  speedButton1_->resize(16, 15);
  speedButton1_->setAccessibleName(QStringLiteral("閉じる"));
  connect(speedButton1_, &QToolButton::clicked, this, &TForm2::SpeedButton1Click);

  splitter1_ = new QSplitter(Qt::Vertical, this);
  splitter1_->setObjectName(QStringLiteral("Splitter1"));
  splitter1_->setHandleWidth(kSplitterHeight);
  splitter1_->setChildrenCollapsible(false);
  layout->addWidget(splitter1_, 1);

  listBox1_->setFont(pixelFont(kGothic, 12));
  listBox1_->viewport()->setCursor(Qt::ArrowCursor);
  listBox1_->setMouseTracking(true);
  splitter1_->addWidget(listBox1_);

  auto* history = new QWidget(splitter1_);
  auto* historyLayout = new QVBoxLayout(history);
  historyLayout->setContentsMargins(0, 0, 0, 0);
  historyLayout->setSpacing(0);
  panel2_ = new QLabel(QStringLiteral(" 動作履歴"), history);
  panel2_->setObjectName(QStringLiteral("Panel2"));
  panel2_->setFixedHeight(kPanel2Height);
  panel2_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  panel2_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel2_->setLineWidth(1);
  setColours(*panel2_, QColor(0xC0, 0xC0, 0xC0), QColor(0x80, 0x80, 0x80));
  historyLayout->addWidget(panel2_);

  listBox2_ = new QListWidget(history);
  listBox2_->setObjectName(QStringLiteral("ListBox2"));
  listBox2_->setFont(pixelFont(kGothic, 11));
  listBox2_->setUniformItemSizes(true);
  listBox2_->setSelectionMode(QAbstractItemView::SingleSelection);
  listBox2_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QPalette historyColours = listBox2_->palette();
  historyColours.setColor(QPalette::Base, palette().color(QPalette::Button));
  listBox2_->setPalette(historyColours);
  listBox2_->setMouseTracking(true);
  // Either list may be made small by the splitter or the frame; a list box has no least size.
  listBox2_->setMinimumSize(1, 1);
  listBox1_->setMinimumSize(1, 1);
  historyLayout->addWidget(listBox2_, 1);
  splitter1_->addWidget(history);
  splitter1_->setStretchFactor(0, 0);
  splitter1_->setStretchFactor(1, 1);
  splitter1_->handle(1)->setCursor(Qt::SizeVerCursor);

  for (QWidget* watched :
       {static_cast<QWidget*>(panel1_), static_cast<QWidget*>(panel2_), listBox1_->viewport(),
        static_cast<QWidget*>(listBox1_), listBox2_->viewport()}) {
    watched->installEventFilter(this);
    watched->setMouseTracking(true);
  }
}

void TForm2::buildMenus() {
  popupMenu2_.setObjectName(QStringLiteral("PopupMenu2"));
  n2Menu_.setTitle(QStringLiteral("ﾀﾞﾌﾞﾙｸﾘｯｸで"));
  n2Menu_.menuAction()->setObjectName(QStringLiteral("N2"));
  popupMenu2_.addMenu(&n2Menu_);
  n2Menu_.addAction(&action(QStringLiteral("N3")));
  n2Menu_.addAction(&action(QStringLiteral("N4")));
  popupMenu2_.addSeparator()->setObjectName(QStringLiteral("N5"));
  addItem(popupMenu2_, *this, "N7", QStringLiteral("ﾘｽﾄ全消去"));
  popupMenu2_.addSeparator()->setObjectName(QStringLiteral("N12"));
  popupMenu2_.addAction(&action(QStringLiteral("N10")));
  connect(&action(QStringLiteral("N3")), &QAction::triggered, this, &TForm2::N3Click);
  connect(&action(QStringLiteral("N4")), &QAction::triggered, this, &TForm2::N4Click);
  connect(&action(QStringLiteral("N7")), &QAction::triggered, this, &TForm2::N7Click);
  QAction& ascending = action(QStringLiteral("N10"));
  connect(&ascending, &QAction::triggered, this, [this, &ascending](bool checked) {
    ascending.setChecked(!checked);
    N10Click();
  });

  popupMenu1_.setObjectName(QStringLiteral("PopupMenu1"));
  addItem(popupMenu1_, *this, "Undo1", QStringLiteral("元に戻す"));
  popupMenu1_.addSeparator()->setObjectName(QStringLiteral("N14"));
  addItem(popupMenu1_, *this, "N15", QStringLiteral("履歴を全消去"));
  popupMenu1_.addSeparator()->setObjectName(QStringLiteral("N16"));
  addItem(popupMenu1_, *this, "N13", QStringLiteral("動作履歴を保存"));
  connect(&action(QStringLiteral("Undo1")), &QAction::triggered, this, &TForm2::Undo1Click);
  connect(&action(QStringLiteral("N15")), &QAction::triggered, this, &TForm2::N15Click);
  connect(&action(QStringLiteral("N13")), &QAction::triggered, this, &TForm2::N13Click);
}

void TForm2::FormResize() {
  if (speedButton1_ == nullptr) return;
  speedButton1_->move(panel1_->width() - kCloseButtonInset, 1);
}

void TForm2::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Button));
  painter.setPen(palette().color(QPalette::Shadow));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TForm2::mousePressEvent(QMouseEvent* event) {
  frame_.pressFrame(*event);
}

void TForm2::mouseMoveEvent(QMouseEvent* event) {
  program().screenCursor().reset();
  if (frame_.followSizing(*event)) return;
  frame_.showEdgeCursor(event->position().toPoint());
}

void TForm2::mouseReleaseEvent(QMouseEvent* event) {
  frame_.release();
  ProgramWindow::mouseReleaseEvent(event);
}

void TForm2::Panel1MouseDown(const QPoint& at) {
  frame_.pressCaption(at);
}

void TForm2::Panel1MouseMove(QMouseEvent* event) {
  frame_.dragCaption(*event);
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
  if (watched == panel1_ || watched == panel2_) {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
        Panel1MouseDown(static_cast<QMouseEvent*>(event)->position().toPoint());
        break;
      case QEvent::MouseMove:
        program().screenCursor().reset();
        Panel1MouseMove(static_cast<QMouseEvent*>(event));
        break;
      case QEvent::MouseButtonRelease:
        frame_.release();
        break;
      default:
        break;
    }
    return false;
  }
  if (watched == listBox1_) {
    // A key moves the selection inside the list box; the file follows once it has.
    if (event->type() == QEvent::KeyPress) QTimer::singleShot(0, this, &TForm2::followSelection);
    return false;
  }
  if (watched == listBox1_->viewport()) return listBox1Event(event);
  if (watched == listBox2_->viewport()) return listBox2Event(event);
  return ProgramWindow::eventFilter(watched, event);
}

bool TForm2::listBox1Event(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      ListBox1MouseDown(mouse->button(), mouse->position().toPoint());
      return true;
    }
    case QEvent::MouseMove: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      ListBox1MouseMove(mouse->buttons(), mouse->position().toPoint());
      return listDragging_;
    }
    case QEvent::MouseButtonRelease:
      ListBox1MouseUp();
      return true;
    case QEvent::MouseButtonDblClick:
      listDragging_ = false;
      ListBox1DblClick();
      return true;
    case QEvent::ContextMenu:
      popupMenu2_.popup(static_cast<QContextMenuEvent*>(event)->globalPos());
      return true;
    default:
      return false;
  }
}

void TForm2::ListBox1MouseDown(Qt::MouseButton button, const QPoint& at) {
  SharedState& state = program().state();
  const QModelIndex line = listBox1_->indexAt(at);
  if (!state.files.sortList().empty() && line.isValid()) {
    action(QStringLiteral("N7")).setEnabled(true);
    action(QStringLiteral("N10")).setEnabled(true);
    if (button == Qt::LeftButton) {
      listBox1_->setFocus();
      listBox1_->setSelectedIndex(line.row());
      state.rememberedListPosition = line.row();
      program().form1().ShowCurrent();
      listDragging_ = true;
    }
    return;
  }
  if (button != Qt::RightButton) return;
  action(QStringLiteral("N10")).setEnabled(false);
  action(QStringLiteral("N7")).setEnabled(!state.files.sortList().empty());
}

void TForm2::ListBox1MouseMove(Qt::MouseButtons buttons, const QPoint& at) {
  program().screenCursor().reset();
  if (!listDragging_ || !(buttons & Qt::LeftButton)) return;
  const QModelIndex line = listBox1_->indexAt(at);
  if (line.isValid() && line.row() != listBox1_->selectedIndex()) {
    listBox1_->setSelectedIndex(line.row());
    program().state().rememberedListPosition = line.row();
  }
  followSelection();
}

void TForm2::followSelection() {
  SharedState& state = program().state();
  if (listBox1_->count() == 0) return;
  TForm1& main = program().form1();
  if (state.files.sortList().path(main.CurrentListNumber()) == state.files.currentFile()) return;
  state.rememberedListPosition = listBox1_->selectedIndex();
  main.ShowCurrent();
}

void TForm2::ListBox1MouseUp() {
  listDragging_ = false;
}

void TForm2::ListBox1DblClick() {
  SharedState& state = program().state();
  if (state.files.sortList().empty() || state.files.currentFile().empty()) return;
  if (state.settings.ListDblClickAction == 2) {
    program().opener().openFile(state.files.currentFile());
  } else {
    program().opener().openFolder(std::string(folderOf(state.files.currentFile())));
  }
}

void TForm2::N3Click() {
  setDoubleClickAction(ListDoubleClick::OpensFolder);
  program().settingsBinding().StoreControlsToSettings();
}

void TForm2::N4Click() {
  setDoubleClickAction(ListDoubleClick::OpensFile);
  program().settingsBinding().StoreControlsToSettings();
}

void TForm2::N7Click() {
  program().form1().ClearList(false);
}

void TForm2::N10Click() {
  SharedState& state = program().state();
  state.rememberedListPosition = listBox1_->selectedIndex();
  QAction& ascending = action(QStringLiteral("N10"));
  const bool on = !ascending.isChecked();
  ascending.setChecked(on);
  state.settings.ListSortAscending = on ? 1 : 0;
  RebuildList();
  listBox1_->setSelectedIndex(state.rememberedListPosition);
  program().form1().ShowCurrent();
  program().settingsBinding().StoreControlsToSettings();
}

void TForm2::SpeedButton1Click() {
  program().state().rememberedListPosition = listBox1_->selectedIndex();
  QToolButton& toggle = program().form1().speedButton(2);
  toggle.setChecked(false);
  toggle.setIcon(program().art().imageList3(ButtonImage::ListClosed));
  toggle.repaint();
  close();
}

}  // namespace tossbox
