#include "forms/main/MainUnit.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolButton>
#include <array>
#include <stdexcept>
#include <string>

#include "core/settings/SettingsRecord.h"
#include "forms/folderselect/UFileSelect.h"
#include "forms/foldersettings/UFolderSett.h"
#include "forms/main/KeyCommands.h"
#include "forms/main/Program.h"
#include "forms/picture/PictureControl.h"
#include "platform/art/Artwork.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/WidgetColour.h"
#include "platform/ui/WindowPlacement.h"
#include "ui_MainUnit.h"

namespace tossbox {

namespace {

const QString kCaptionHint = QStringLiteral("ﾀﾞﾌﾞﾙｸﾘｯｸでｱｲｺﾝ化");

QAction* addItem(QMenu& menu, const QString& name, const QString& caption) {
  QAction* item = menu.addAction(caption);
  item->setObjectName(name);
  return item;
}

}  // namespace

TForm1::TForm1(Program& program)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      program_(program),
      ui_(std::make_unique<Ui::TForm1>()),
      iconTray1_(this, program.trayShell(), program.trayIconIds()) {
  ui_->setupUi(this);
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Tossbox"));
  setMinimumSize(kWidth, kMinHeight);
  setMaximumSize(kWidth, kMaxHeight);
  setMouseTracking(true);
  timer1_.setObjectName(QStringLiteral("Timer1"));
  timer2_.setObjectName(QStringLiteral("Timer2"));
  timer1_.setInterval(kVideoLoopInterval);
  connect(&timer1_, &QTimer::timeout, this, &TForm1::Timer1Timer);
  timer2_.setInterval(1000);
  buildMenus();
  applyLook();
  FormCreate();
}

TForm1::~TForm1() {
  FormDestroy();
}

PictureControl& TForm1::image1() const {
  return *ui_->Image1;
}
QLabel& TForm1::staticText1() const {
  return *ui_->StaticText1;
}

QToolButton& TForm1::speedButton(int number) const {
  const std::array<QToolButton*, 7> buttons{ui_->SpeedButton1, ui_->SpeedButton2, ui_->SpeedButton3,
                                            ui_->SpeedButton4, ui_->SpeedButton5, ui_->SpeedButton6,
                                            ui_->SpeedButton7};
  if (number < 1 || number > static_cast<int>(buttons.size()))
    throw std::out_of_range("no tool button " + std::to_string(number));
  return *buttons[static_cast<std::size_t>(number - 1)];
}

QToolButton& TForm1::folderButton(int number) const {
  const std::array<QToolButton*, kFolderButtonCount> buttons{
      ui_->FLDBtn1, ui_->FLDBtn2, ui_->FLDBtn3, ui_->FLDBtn4, ui_->FLDBtn5, ui_->FLDBtn6};
  if (number < 1 || number > kFolderButtonCount)
    throw std::out_of_range("no folder button " + std::to_string(number));
  return *buttons[static_cast<std::size_t>(number - 1)];
}

QString TForm1::statusText() const {
  return ui_->StatusBar1->text();
}

void TForm1::setStatusText(const QString& text) {
  ui_->StatusBar1->setText(text);
  ui_->StatusBar1->setAccessibleName(text);
}

QAction& TForm1::action(const QString& name) const {
  auto* item = findChild<QAction*>(name);
  if (item == nullptr) throw std::logic_error("no menu item " + name.toStdString());
  return *item;
}

bool TForm1::movesOnPress() const {
  return !copy1_->isChecked();
}

void TForm1::setMovesOnPress(bool moves) {
  copy1_->setChecked(!moves);
  goTo1_->setChecked(moves);
}

void TForm1::buildMenus() {
  popupMenu1_.setObjectName(QStringLiteral("PopupMenu1"));
  addItem(popupMenu1_, QStringLiteral("N1"), QStringLiteral("このﾌｫﾙﾀﾞの設定"));
  n3Menu_.setTitle(QStringLiteral("押した時の動作"));
  n3Menu_.menuAction()->setObjectName(QStringLiteral("N3"));
  popupMenu1_.addMenu(&n3Menu_);
  auto* pressGroup = new QActionGroup(this);
  QAction* copy = addItem(n3Menu_, QStringLiteral("Copy1"), QStringLiteral("コピー"));
  QAction* move = addItem(n3Menu_, QStringLiteral("GoTo1"), QStringLiteral("移動"));
  for (QAction* item : {copy, move}) {
    item->setCheckable(true);
    pressGroup->addAction(item);
  }
  copy->setChecked(true);
  copy1_ = copy;
  goTo1_ = move;
  popupMenu1_.addSeparator();
  addItem(popupMenu1_, QStringLiteral("N4"), QStringLiteral("ﾌｫﾙﾀﾞを開く"));
  popupMenu1_.addSeparator();
  addItem(popupMenu1_, QStringLiteral("N7"), QStringLiteral("ｷｬﾝｾﾙ"));

  popupMenu2_.setObjectName(QStringLiteral("PopupMenu2"));
  addItem(popupMenu2_, QStringLiteral("N9"), QStringLiteral("ﾌｫﾙﾀﾞ選択"));
  addItem(popupMenu2_, QStringLiteral("N13"), QStringLiteral("表示ﾌｧｲﾙ形式"));
  popupMenu2_.addSeparator();
  addItem(popupMenu2_, QStringLiteral("N10"), QStringLiteral("ﾘｽﾄ全消去"));
  popupMenu2_.addSeparator();
  addItem(popupMenu2_, QStringLiteral("N17"), QStringLiteral("ﾌｧｲﾙ情報"));
  popupMenu2_.addSeparator();
  n12Menu_.setTitle(QStringLiteral("自動送り"));
  n12Menu_.menuAction()->setObjectName(QStringLiteral("N12"));
  popupMenu2_.addMenu(&n12Menu_);
  QAction* next = addItem(n12Menu_, QStringLiteral("N8"), QStringLiteral("次ページ"));
  QAction* previous = addItem(n12Menu_, QStringLiteral("N15"), QStringLiteral("前ページ"));
  QAction* stop = addItem(n12Menu_, QStringLiteral("N16"), QStringLiteral("ストップ"));
  // Checked by hand, one of the three at a time: the handlers need to know
  // which one was checked before the click.
  for (QAction* item : {next, previous, stop}) item->setCheckable(true);
  stop->setChecked(true);

  trayMenu_.setObjectName(QStringLiteral("TrayMenu"));
  addItem(trayMenu_, QStringLiteral("TOSSBOX1"), QStringLiteral("TOSSBOXについて"));
  addItem(trayMenu_, QStringLiteral("N14"), QStringLiteral("ﾀｽｸﾄﾚｲに収納"))->setCheckable(true);
  trayMenu_.addSeparator()->setObjectName(QStringLiteral("N19"));
  QAction* exit = addItem(trayMenu_, QStringLiteral("Exit1"), QStringLiteral("終了"));
  connect(exit, &QAction::triggered, this, &TForm1::Exit1Click);

  // Menus are found by name like the other controls.
  for (QMenu* menu : {&popupMenu1_, &n3Menu_, &popupMenu2_, &n12Menu_, &trayMenu_})
    for (QAction* item : menu->actions()) item->setParent(this);
}

void TForm1::applyLook() {
  const QColor titleBar = palette().color(QPalette::Active, QPalette::Highlight);
  setColour(*ui_->Panel3, QPalette::Window, titleBar);
  setColour(*ui_->Panel5, QPalette::Window, QColor(0x00, 0x80, 0x80));
  ui_->Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  ui_->Panel1->setLineWidth(2);
  setColour(*ui_->Panel2, QPalette::Window, Qt::black);
  setColour(*ui_->Panel2, QPalette::WindowText, QColor(0x60, 0x60, 0x60));
  ui_->Panel2->setFont(pixelFont(kGothic, 16, true));
  setColour(*ui_->Img1Pnl, QPalette::Window, Qt::black);
  ui_->Img1Pnl->raise();
  setColour(*ui_->StaticText1, QPalette::Window, Qt::black);
  setColour(*ui_->StaticText1, QPalette::WindowText, Qt::yellow);
  ui_->StaticText1->setFont(pixelFont(kGothic, 12));
  ui_->StatusBar1->setFont(pixelFont(kGothic, 11));
  setColour(*ui_->StatusBar1, QPalette::WindowText, palette().color(QPalette::Dark));
  for (int n = 1; n <= 6; ++n) folderButton(n).setFont(pixelFont(kPGothic, 11));

  Artwork& art = program_.art();
  setWindowIcon(art.programIcon());
  ui_->Image2->setPixmap(art.titlePicture());
  ui_->SpeedButton4->setIcon(art.glyph(Glyph::Exit));
  ui_->SpeedButton7->setIcon(art.glyph(Glyph::Help));
  QIcon fileMenu(art.glyph(Glyph::FileMenuUp));
  fileMenu.addPixmap(art.glyph(Glyph::FileMenuDisabled), QIcon::Disabled);
  fileMenu.addPixmap(art.glyph(Glyph::FileMenuPressed), QIcon::Active);
  fileMenu.addPixmap(art.glyph(Glyph::FileMenuDown), QIcon::Normal, QIcon::On);
  ui_->SpeedButton3->setIcon(fileMenu);
  for (int n = 1; n <= 6; ++n) {
    folderButton(n).setIcon(art.imageList1(n));
    folderButton(n).setIconSize(QSize(54, 54));
  }
  findFolderMovie_.setFileName(art.animationPath());
  ui_->Animate1->setMovie(&findFolderMovie_);
  ui_->SpeedButton1->setIcon(art.imageList3(ButtonImage::EnlargeUp));
  ui_->SpeedButton2->setIcon(art.imageList3(ButtonImage::ListClosed));
  ui_->SpeedButton6->setIcon(art.imageList3(ButtonImage::UndoAtRest));
  ui_->SpeedButton5->setIcon(art.imageList3(ButtonImage::TrashAtRest));
  for (QToolButton* tool :
       {ui_->SpeedButton1, ui_->SpeedButton2, ui_->SpeedButton5, ui_->SpeedButton6})
    tool->setIconSize(QSize(14, 14));
  for (QToolButton* tool : {ui_->SpeedButton3, ui_->SpeedButton4, ui_->SpeedButton7})
    tool->setIconSize(QSize(16, 16));

  for (QWidget* control : findChildren<QWidget*>()) {
    control->installEventFilter(this);
    control->setMouseTracking(true);
  }
  connectHandlers();
}

void TForm1::connectHandlers() {
  connect(ui_->SpeedButton4, &QToolButton::clicked, this, &TForm1::SpeedButton4Click);
  connect(ui_->SpeedButton3, &QToolButton::clicked, this,
          [this] { navigation_.SpeedButton3Click(); });
  connect(ui_->SpeedButton7, &QToolButton::clicked, this, &TForm1::SpeedButton7Click);
  connect(ui_->SpeedButton2, &QToolButton::clicked, this,
          [this] { navigation_.SpeedButton2Click(); });
  connect(&timer2_, &QTimer::timeout, this, [this] { navigation_.Timer2Timer(); });
  connect(&popupMenu2_, &QMenu::aboutToShow, this, [this] { navigation_.PopupMenu2Popup(); });
  // The auto-advance items decide by the check mark they had before the click.
  const std::pair<const char*, void (MainNavigation::*)()> radios[] = {
      {"N8", &MainNavigation::N8Click},
      {"N15", &MainNavigation::N15Click},
      {"N16", &MainNavigation::N16Click}};
  for (const auto& [name, handler] : radios) {
    QAction* item = &action(QLatin1String(name));
    connect(item, &QAction::triggered, this, [this, item, handler](bool checked) {
      item->setChecked(!checked);
      (navigation_.*handler)();
    });
  }
  connect(&action(QStringLiteral("N10")), &QAction::triggered, this,
          [this] { collection_.N10Click(); });
  connect(&action(QStringLiteral("N13")), &QAction::triggered, this,
          [this] { collection_.N13Click(); });
  connect(&action(QStringLiteral("N1")), &QAction::triggered, this, [this] { sorting_.N1Click(); });
  connect(&n3Menu_, &QMenu::aboutToShow, this, [this] { sorting_.N3Click(); });
  connect(&action(QStringLiteral("Copy1")), &QAction::triggered, this,
          [this] { sorting_.Copy1Click(); });
  connect(&action(QStringLiteral("GoTo1")), &QAction::triggered, this,
          [this] { sorting_.GoTo1Click(); });
  connect(&action(QStringLiteral("N4")), &QAction::triggered, this, [this] { sorting_.N4Click(); });
  connect(ui_->SpeedButton5, &QToolButton::clicked, this, [this] { sorting_.SpeedButton5Click(); });
  connect(ui_->SpeedButton6, &QToolButton::clicked, this, [this] { sorting_.SpeedButton6Click(); });
  connectViewerHandlers();
  connect(&action(QStringLiteral("N9")), &QAction::triggered, this, [this] { drops_.N9Click(); });
}

// FormCreate runs while the main window is the only window of the program.
void TForm1::FormCreate() {
  firstShowDone_ = false;
  program_.settingsBinding().LoadSettings(*this);
  program_.state().rememberedListPosition = 0;
  program_.state().viewerMode = 0;
  setAcceptDrops(true);
  ui_->StaticText1->setText(QStringLiteral("0/0"));
  ui_->StaticText1->setAccessibleName(QStringLiteral("0/0"));
  setStatusText(ui_->StatusBar1->text());
  setUpIconTray();
  installKeyCommands(program_, *this);
}

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormShow();
}

// The first showing does the work that needs the other windows.
void TForm1::FormShow() {
  if (firstShowDone_) return;
  firstShowDone_ = true;
  const QCursor& pictureCursor = program_.art().cursor(Pointer::Picture);
  ui_->Image1->setCursor(pictureCursor);
  ui_->Panel2->setCursor(pictureCursor);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  QWidget& settings = program_.folderSett();
  const int top = (screen.height() - settings.height()) / 2;
  const int left = (screen.width() - settings.width()) / 2;
  settings.move(left, top);
  program_.form8().move(left, top);
  SetTopmost(*this);
  program_.settingsBinding().LoadSettingsToControls();
  collection_.loadCommandLine();
}

void TForm1::layoutClient() {
  const int clientHeight = height() - 2 * kFrame;
  const int statusTop = kFrame + clientHeight - 17;
  ui_->StatusBar1->setGeometry(kFrame, statusTop, 209, 17);
  ui_->Panel4->setGeometry(kFrame, kFrame + 213, 209, std::max(0, statusTop - (kFrame + 213)));
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  drops_.dragEnter(*event);
}

void TForm1::dragMoveEvent(QDragMoveEvent* event) {
  drops_.dragMove(*event);
}

void TForm1::dropEvent(QDropEvent* event) {
  drops_.drop(*event);
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layoutClient();
}

void TForm1::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect all = rect();
  painter.fillRect(all, palette().color(QPalette::Button));
  painter.setPen(palette().color(QPalette::Shadow));
  painter.drawRect(all.adjusted(0, 0, -1, -1));
  painter.setPen(palette().color(QPalette::Light));
  painter.drawLine(1, 1, all.width() - 3, 1);
  painter.drawLine(1, 1, 1, all.height() - 3);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawLine(1, all.height() - 2, all.width() - 2, all.height() - 2);
  painter.drawLine(all.width() - 2, 1, all.width() - 2, all.height() - 2);
}

void TForm1::applyPlacement(int top, int left, int height) {
  move(left, top);
  resize(kWidth, std::clamp(height, kMinHeight, kMaxHeight));
}

void TForm1::mousePressEvent(QMouseEvent* event) {
  if (frame_.pressFrame(*event)) return;
  FormMouseDown(event);
}

void TForm1::mouseMoveEvent(QMouseEvent* event) {
  if (frame_.followSizing(*event)) return;
  frame_.showEdgeCursor(event->position().toPoint());
  FormMouseMove(event);
}

void TForm1::mouseReleaseEvent(QMouseEvent* event) {
  frame_.release();
  QWidget::mouseReleaseEvent(event);
}

void TForm1::FormMouseDown(QMouseEvent* event) {
  frame_.pressCaption(event->position().toPoint());
}

void TForm1::FormMouseMove(QMouseEvent* event) {
  ui_->Panel3->setToolTip(kCaptionHint);
  if (frame_.dragCaption(*event)) return;
  program_.screenCursor().reset();
}

void TForm1::controlMouseMove(QWidget* control) {
  static const QHash<QString, QString> hints = {
      {QStringLiteral("SpeedButton1"), QStringLiteral("拡大表示")},
      {QStringLiteral("SpeedButton2"), QStringLiteral("振分ﾌｧｲﾙ一覧")},
      {QStringLiteral("SpeedButton6"), QStringLiteral("元に戻す")},
      {QStringLiteral("SpeedButton5"), QStringLiteral("削除")},
      {QStringLiteral("StaticText1"), QStringLiteral("振分ﾌｧｲﾙ数")},
      {QStringLiteral("SpeedButton3"), QStringLiteral("振分ﾌｧｲﾙﾒﾆｭｰ")},
      {QStringLiteral("SpeedButton4"), QStringLiteral("終了")},
      {QStringLiteral("SpeedButton7"), QStringLiteral("ヘルプ表示")},
  };
  static const QSet<QString> arrowControls = {
      QStringLiteral("SpeedButton1"), QStringLiteral("SpeedButton2"),
      QStringLiteral("SpeedButton6"), QStringLiteral("SpeedButton5"),
      QStringLiteral("StaticText1"),  QStringLiteral("Panel1"),
      QStringLiteral("StatusBar1")};
  const QString name = control->objectName();
  if (const auto hint = hints.find(name); hint != hints.end())
    control->setToolTip(hintWithKey(name, *hint));
  if (arrowControls.contains(name)) program_.screenCursor().reset();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  auto* control = qobject_cast<QWidget*>(watched);
  if (control == nullptr) return false;
  if (sorting_.sortingEvent(control, event)) return true;
  const QString name = control->objectName();
  const bool captionBar = name == QLatin1String("Panel3") || name == QLatin1String("Image2");
  const bool picture = name == QLatin1String("Image1") || name == QLatin1String("Panel2");
  if (picture) return navigation_.pictureEvent(*event);
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (captionBar) {
        FormMouseDown(mouse);
        if (name == QLatin1String("Image2") && mouse->button() == Qt::RightButton)
          trayMenu_.popup(mouse->globalPosition().toPoint());
      }
      break;
    }
    case QEvent::MouseMove:
      if (captionBar)
        FormMouseMove(static_cast<QMouseEvent*>(event));
      else
        controlMouseMove(control);
      break;
    case QEvent::MouseButtonRelease:
      if (captionBar || name == QLatin1String("Panel1") || name == QLatin1String("Panel4")) {
        frame_.release();
        ReleaseSpeedButton3();
      }
      break;
    case QEvent::MouseButtonDblClick:
      if (captionBar) {
        Panel3DblClick();
        return true;
      }
      break;
    default:
      break;
  }
  return false;
}

void TForm1::ReleaseSpeedButton3() {
  ui_->SpeedButton3->setChecked(false);
}

void TForm1::Panel3DblClick() {
  minimizingAlone_ = true;
  showMinimized();
}

void TForm1::MinimizeApplication() {
  applicationMinimized_ = true;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window != this && window->isVisible() && window->isWindow()) window->showMinimized();
  if (!isMinimized()) showMinimized();
}

void TForm1::RestoreApplication() {
  applicationMinimized_ = false;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->isMinimized()) window->showNormal();
}

void TForm1::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange) return;
  if (isMaximized()) {
    // Maximized means the tallest window, centred on the screen.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    setWindowState(windowState() & ~Qt::WindowMaximized);
    setGeometry((screen.width() - kWidth) / 2, (screen.height() - kMaxHeight) / 2, kWidth,
                kMaxHeight);
    return;
  }
  if (isMinimized()) {
    if (minimizingAlone_)
      minimizingAlone_ = false;
    else if (!applicationMinimized_)
      MinimizeApplication();
    return;
  }
  if (applicationMinimized_) RestoreApplication();
}

void TForm1::SpeedButton4Click() {
  program_.settingsBinding().SaveSettings();
  close();
}

void TForm1::Exit1Click() {
  close();
}

void TForm1::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window != this) window->hide();
  QCoreApplication::quit();
}

void TForm1::FormClose() {
  collection_.stopScanning();
  ui_->Image1->clearPicture();
  timer1_.stop();
  closeVideoDevice(program_.media());
  timer2_.stop();
  help_.quit();
}

void TForm1::FormDestroy() {
  program_.state().files.clear();
}

}  // namespace tossbox
