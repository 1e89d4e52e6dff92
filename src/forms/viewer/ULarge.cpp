#include "forms/viewer/ULarge.h"

#include <QActionGroup>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <stdexcept>

#include "core/files/FileKind.h"
#include "core/files/PathRules.h"
#include "forms/common/ByteText.h"
#include "forms/main/KeyCommands.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"
#include "forms/picture/PictureControl.h"
#include "forms/viewer/TextLinesList.h"
#include "platform/ui/AsyncKeyState.h"
#include "platform/ui/ControlUnderCursor.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/WidgetColour.h"
#include "platform/ui/WindowPlacement.h"

namespace tossbox {

namespace {

constexpr int kTitleStripHeight = 15;
constexpr int kTextFrameWidth = 2;
constexpr std::uint16_t kNewlyPressed = AsyncKeyState::kDown | AsyncKeyState::kPressedSinceRead;
constexpr std::uint16_t kHeld = AsyncKeyState::kDown;
const QString kToFullScreen = QStringLiteral("ﾌﾙｽｸﾘｰﾝ表示");
const QString kToActualSize = QStringLiteral("実物大表示");

bool listedAsText(const std::string& path) {
  const auto kind = fileKindOfExtension(extensionOf(path));
  return kind && shownKindNumber(*kind) == shownKindNumber(FileKind::Text);
}

}  // namespace

TForm3::TForm3(Program& program)
    : ProgramWindow(program, QStringLiteral("Form3"), QString(),
                    Qt::Window | Qt::FramelessWindowHint) {
  setClientSize(320, 240, false);
  setFont(pixelFont(kPGothic, 12));
  setColour(*this, QPalette::Window, Qt::black);
  setMouseTracking(true);
  timer1_.setObjectName(QStringLiteral("Timer1"));
  timer1_.setInterval(kVideoPollInterval);
  connect(&timer1_, &QTimer::timeout, this, &TForm3::Timer1Timer);
  buildControls();
  buildMenu();
  installEventFilter(this);
  installKeyCommands(program, *this);
}

void TForm3::buildControls() {
  client_ = new QWidget(this);
  client_->setMouseTracking(true);
  panel1_ = new QLabel(client_);
  panel1_->setObjectName(QStringLiteral("Panel1"));
  panel1_->setFont(pixelFont(kGothic, 12, true));
  setColour(*panel1_, QPalette::Window, Qt::black);
  setColour(*panel1_, QPalette::WindowText, Qt::yellow);
  panel1_->setAlignment(Qt::AlignCenter);
  image1_ = new PictureControl(client_);
  image1_->setObjectName(QStringLiteral("Image1"));
  image1_->setStretch(true);
  panel2_ = new QFrame(client_);
  panel2_->setObjectName(QStringLiteral("Panel2"));
  panel2_->setFrameStyle(QFrame::Box | QFrame::Plain);
  panel2_->setLineWidth(kTextFrameWidth);
  panel2_->setCursor(Qt::SizeFDiagCursor);
  setColour(*panel2_, QPalette::Window, palette().color(QPalette::Base));
  setColour(*panel2_, QPalette::WindowText, palette().color(QPalette::Base));
  listBox1_ = new TextLinesList(panel2_);
  listBox1_->setObjectName(QStringLiteral("ListBox1"));
  listBox1_->setCursor(Qt::ArrowCursor);
  listBox1_->viewport()->setCursor(Qt::ArrowCursor);
  panel2_->hide();
  for (QWidget* control :
       {static_cast<QWidget*>(client_), static_cast<QWidget*>(panel1_),
        static_cast<QWidget*>(image1_), static_cast<QWidget*>(panel2_), listBox1_->viewport()})
    watch(*control);
}

void TForm3::watch(QWidget& control) {
  control.installEventFilter(this);
  control.setMouseTracking(true);
}

void TForm3::buildMenu() {
  popupMenu1_.setObjectName(QStringLiteral("PopupMenu1"));
  const auto item = [this](QMenu& menu, const char* name, const QString& caption) {
    QAction* added = menu.addAction(caption);
    added->setObjectName(QLatin1String(name));
    return added;
  };
  dblcMenu_.setTitle(QStringLiteral("ﾀﾞﾌﾞﾙｸﾘｯｸで"));
  dblcMenu_.menuAction()->setObjectName(QStringLiteral("dblc"));
  popupMenu1_.addMenu(&dblcMenu_);
  auto* doubleClick = new QActionGroup(this);
  close1_ = item(dblcMenu_, "Close1", QStringLiteral("閉じる"));
  n1_ = item(dblcMenu_, "N1", QStringLiteral("表示切替"));
  for (QAction* radio : {close1_, n1_}) {
    radio->setCheckable(true);
    doubleClick->addAction(radio);
  }
  n1_->setChecked(true);
  popupMenu1_.addSeparator()->setObjectName(QStringLiteral("N5"));
  n2_ = item(popupMenu1_, "N2", kToFullScreen);
  n2_->setCheckable(true);
  n8_ = item(popupMenu1_, "N8", QStringLiteral("常に中央表示"));
  n8_->setCheckable(true);
  n8_->setChecked(true);
  popupMenu1_.addSeparator()->setObjectName(QStringLiteral("N4"));
  close2_ = item(popupMenu1_, "Close2", QStringLiteral("閉じる"));
  for (QMenu* menu : {&popupMenu1_, &dblcMenu_})
    for (QAction* menuItem : menu->actions()) menuItem->setParent(this);

  connect(close1_, &QAction::triggered, this, &TForm3::Close1Click);
  connect(n1_, &QAction::triggered, this, &TForm3::N1Click);
  connect(close2_, &QAction::triggered, this, &TForm3::Close2Click);
  // N2's mark is the stored setting's alone and N8's handler turns its own mark: the click
  // must not change them first.
  connect(n2_, &QAction::triggered, this, [this](bool checked) {
    n2_->setChecked(!checked);
    N2Click();
  });
  connect(n8_, &QAction::triggered, this, [this](bool checked) {
    n8_->setChecked(!checked);
    N8Click();
  });
}

QAction& TForm3::action(const QString& name) const {
  auto* found = findChild<QAction*>(name);
  if (found == nullptr) throw std::logic_error("no viewer menu item " + name.toStdString());
  return *found;
}

ViewerFlags TForm3::viewerFlags() const {
  return {close1_->isChecked(), n2_->isChecked(), n8_->isChecked()};
}

void TForm3::setViewerFlags(const ViewerFlags& flags) {
  close1_->setChecked(flags.closesOnDoubleClick);
  n1_->setChecked(!flags.closesOnDoubleClick);
  n2_->setChecked(flags.fullScreen);
  n8_->setChecked(flags.alwaysCentre);
}

ScreenArea TForm3::screenArea() {
  const QScreen* screen = program().form1().screen();
  const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  return {area.x(), area.y(), area.width(), area.height()};
}

void TForm3::hideTextView() {
  panel2_->hide();
  listBox1_->hide();
  listBox1_->clear();
}

void TForm3::ViewerUpdate() {
  TForm1& main = program().form1();
  const std::string& path = program().state().files.currentFile();
  if (!enlargeableExtension(extensionOf(path))) {
    main.releaseViewerButton();
    hide();
    return;
  }
  const ScreenArea screen = screenArea();
  main.DisplayFile(*image1_, path, FastDecode::Off, RenderBox{screen.height, screen.width},
                   program().state().viewerMode, TargetRole::Viewer);
  panel1_->setText(byteText(LastPathPart(path)));
  QRect placed = geometry();
  if (!listedAsText(path)) {
    const ViewerPictureGeometry layout =
        viewerPictureGeometry(image1_->width(), image1_->height(), screen, false, x(), y());
    image1_->applyFit(layout.image.height, layout.image.width, layout.image.top, layout.image.left);
    placed.setSize(QSize(layout.window.width, layout.window.height));
  }
  if (n8_->isChecked()) {
    const ViewerRect centred = centredOnScreen(screen, placed.width(), placed.height());
    placed.moveTo(centred.left, centred.top);
  }
  setGeometry(placed);
  show();
}

void TForm3::listText(int mode) {
  const TextLines& lines = program().state().textLines;
  if (lines.empty()) return;
  listBox1_->setLines(lines);
  const ViewerRect area = viewerTextGeometry(mode, screenArea());
  setGeometry(area.left, area.top, area.width, area.height);
  program().form1().setRestingPictureCursor();
  panel2_->show();
  listBox1_->show();
  panel2_->raise();
}

void TForm3::startVideoPolling() {
  timer1_.setInterval(kVideoPollInterval);
  timer1_.start();
}

void TForm3::FormShow() {
  panel1_->setText(byteText(LastPathPart(program().state().files.currentFile())));
  SetTopmost(program().form1());
}

void TForm3::hideEvent(QHideEvent* event) {
  // A hidden viewer has no video of its own to watch.
  timer1_.stop();
  ProgramWindow::hideEvent(event);
}

void TForm3::resizeEvent(QResizeEvent* event) {
  ProgramWindow::resizeEvent(event);
  client_->setGeometry(
      rect().adjusted(kViewerBorder, kViewerBorder, -kViewerBorder, -kViewerBorder));
  panel1_->setGeometry(0, 0, client_->width(), kTitleStripHeight);
  panel2_->setGeometry(0, kTitleStripHeight, client_->width(),
                       std::max(0, client_->height() - kTitleStripHeight));
  listBox1_->setGeometry(panel2_->contentsRect());
}

void TForm3::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

bool TForm3::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      FormMouseDown(*static_cast<QMouseEvent*>(event),
                    namedControlOf(qobject_cast<QWidget*>(watched)));
      // Taken here, so that the window below a control does not take the press for its own;
      // the list keeps its press for the selection.
      return watched != listBox1_->viewport();
    case QEvent::MouseMove:
      FormMouseMove(*static_cast<QMouseEvent*>(event));
      break;
    case QEvent::MouseButtonRelease:
      frame_.release();
      break;
    case QEvent::ContextMenu:
      popupMenu1_.popup(static_cast<QContextMenuEvent*>(event)->globalPos());
      return true;
    case QEvent::MouseButtonDblClick:
      if (watched == this || watched == client_) break;
      Image1DblClick();
      return true;
    default:
      break;
  }
  return ProgramWindow::eventFilter(watched, event);
}

void TForm3::FormMouseDown(const QMouseEvent& event, const QString& control) {
  dragPress_ = event.globalPosition().toPoint();
  dragArmed_ = true;
  // The control pressed decides: the frame is two pixels wide, and the first move the
  // system reports may already lie past it.
  dragFromTextFrame_ = control == QLatin1String("Form3") || control == QLatin1String("Panel2");
}

void TForm3::FormMouseMove(const QMouseEvent& event) {
  program().screenCursor().reset();
  if (frame_.followSizing(event) || frame_.followMoving(event)) return;
  const bool moved = event.globalPosition().toPoint() != dragPress_;
  if (!(event.buttons() & Qt::LeftButton) || !moved || !dragArmed_) return;
  dragArmed_ = false;
  if (listBox1_->isVisible() && dragFromTextFrame_)
    frame_.beginSizing(Qt::RightEdge | Qt::BottomEdge, event);
  else
    frame_.beginMove(event);
}

void TForm3::closeAndRelease() {
  close();
  program().form1().releaseViewerButton();
}

void TForm3::Image1DblClick() {
  if (!close1_->isChecked()) {
    N2Click();
    return;
  }
  closeAndRelease();
}

void TForm3::Close1Click() {
  close1_->setChecked(true);
  n1_->setChecked(false);
  program().settingsBinding().StoreControlsToSettings();
}

void TForm3::N1Click() {
  n1_->setChecked(true);
  close1_->setChecked(false);
  program().settingsBinding().StoreControlsToSettings();
}

void TForm3::N2Click() {
  int& mode = program().state().viewerMode;
  if (n2_->text() == kToFullScreen) {
    n2_->setText(kToActualSize);
    mode = 1;
  } else {
    n2_->setText(kToFullScreen);
    mode = 0;
  }
  program().form1().ShowCurrent();
  program().settingsBinding().StoreControlsToSettings();
}

void TForm3::N8Click() {
  n8_->setChecked(!n8_->isChecked());
  program().settingsBinding().StoreControlsToSettings();
}

void TForm3::Close2Click() {
  TForm1& main = program().form1();
  main.renderPreviewAgain();
  closeAndRelease();
}

bool TForm3::pointerOverPicture() const {
  const QWidget* hit = QApplication::widgetAt(QCursor::pos());
  if (hit == nullptr || hit->window() != this) return false;
  return image1_->rect().contains(image1_->mapFromGlobal(QCursor::pos()));
}

void TForm3::Timer1Timer() {
  AsyncKeyState& keys = program().asyncKeys();
  if (keys.read(Qt::LeftButton) == kNewlyPressed && pointerOverPicture()) {
    if (close1_->isChecked())
      Close2Click();
    else
      N2Click();
    return;
  }
  if (keys.read(Qt::RightButton) == kHeld && pointerOverPicture())
    popupMenu1_.popup(QCursor::pos());
}

}  // namespace tossbox
