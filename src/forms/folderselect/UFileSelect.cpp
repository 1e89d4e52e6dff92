#include "forms/folderselect/UFileSelect.h"
#include "forms/common/ByteText.h"

#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>

#include "core/shellns/FolderHandle.h"
#include "core/sorting/TrimBlanks.h"
#include "forms/folderselect/FolderCreation.h"
#include "forms/folderselect/NewFLD.h"
#include "forms/foldersettings/UFolderSett.h"
#include "forms/list/UList.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"
#include "forms/picture/PictureControl.h"
#include "forms/tree/KtTreeView.h"
#include "forms/viewer/ULarge.h"
#include "platform/art/Artwork.h"
#include "platform/prompt/MessageBoxes.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/WindowPlacement.h"
#include "ui_UFileSelect.h"

namespace tossbox {

namespace {

const QString kSourceLabel = QStringLiteral("振り分けしたいフォルダを選択して下さい");
// The blanks leave room for the button's glyph in Image1.
const QString kTargetLabel = QStringLiteral("     のフォルダを選択して下さい");
const QString kCreateQuestion = QStringLiteral("上記のフォルダを新規作成しますか？");

// The scan joins names to the folder, so a trailing "/" is dropped; the root keeps its own.
std::string sourceFolderOf(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

QLineEdit* folderSettEdit1(TFolderSett& settings) {
  return settings.findChild<QLineEdit*>(QStringLiteral("Edit1"));
}

}  // namespace

TForm8::TForm8(Program& program)
    : ProgramWindow(program, QStringLiteral("Form8"), QStringLiteral("ﾌｫﾙﾀﾞ選択"),
                    Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      ui_(std::make_unique<Ui::TForm8>()) {
  ui_->setupUi(this);
  // The frame looks sizable, but the size stays.
  setClientSize(315, 275, true);
  // Coming back from the minimized program it is not opened again.
  showOnlyWhenOpened();
  setFont(pixelFont(kGothic, 12));
  ui_->Edit1->setFont(pixelFont(kGothic, 13));
  ui_->KtTreeView1->setIndentation(19);

  Artwork& art = program.art();
  QIcon newFolder(art.glyph(Glyph::NewFolder));
  newFolder.addPixmap(art.glyph(Glyph::NewFolderDisabled), QIcon::Disabled);
  ui_->BitBtn3->setIcon(newFolder);
  ui_->BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
  ui_->BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));

  connect(ui_->BitBtn1, &QPushButton::clicked, this, &TForm8::BitBtn1Click);
  connect(ui_->BitBtn2, &QPushButton::clicked, this, &TForm8::BitBtn2Click);
  connect(ui_->BitBtn3, &QPushButton::clicked, this, &TForm8::BitBtn3Click);
  connect(ui_->KtTreeView1, &TKtTreeView::Change, this, &TForm8::KtTreeViewChange);
  // Escape is the Cancel button, Enter the OK button while it is enabled.
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
          &TForm8::BitBtn1Click);
  for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
    connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, [this] {
      if (ui_->BitBtn2->isEnabled()) ui_->BitBtn2->click();
    });
  }

  for (QWidget* area : {static_cast<QWidget*>(this), static_cast<QWidget*>(ui_->KtTreeView1),
                        ui_->KtTreeView1->viewport()}) {
    area->setMouseTracking(true);
    area->installEventFilter(this);
  }
}

TForm8::~TForm8() = default;

TKtTreeView& TForm8::ktTreeView1() const {
  return *ui_->KtTreeView1;
}
QLineEdit& TForm8::edit1() const {
  return *ui_->Edit1;
}
QLabel& TForm8::label1() const {
  return *ui_->Label1;
}
QLabel& TForm8::image1() const {
  return *ui_->Image1;
}

QPushButton& TForm8::bitBtn(int number) const {
  switch (number) {
    case 1:
      return *ui_->BitBtn1;
    case 2:
      return *ui_->BitBtn2;
    default:
      return *ui_->BitBtn3;
  }
}

void TForm8::openFor(bool chooserForSource) {
  program().state().chooserForSource = chooserForSource;
  show();
  raise();
  activateWindow();
}

std::string TForm8::editPath() const {
  return pathFromText(ui_->Edit1->text(), editBytes_);
}

void TForm8::setEditPath(const std::string& path) {
  editBytes_ = path;
  ui_->Edit1->setText(byteText(path));
}

void TForm8::reloadTree() {
  ui_->KtTreeView1->clear();
  ui_->KtTreeView1->ReloadTree();
}

void TForm8::FormShow() {
  reloadTree();
  Program& owner = program();
  owner.form1().setEnabled(false);
  setEditPath(ui_->KtTreeView1->SelectedPath());
  SetTopmost(*this);
  if (owner.state().chooserForSource) {
    owner.form2().setEnabled(false);
    owner.form3().setEnabled(false);
    ui_->Label1->setText(kSourceLabel);
    ui_->Image1->hide();
    ui_->BitBtn3->hide();
    ui_->Edit1->setReadOnly(true);
    // Nothing is chosen yet; OK waits for a folder.
    ui_->BitBtn2->setEnabled(false);
  } else {
    showButtonGlyph();
    ui_->Label1->setText(kTargetLabel);
    ui_->Image1->show();
    ui_->BitBtn3->show();
    ui_->Edit1->setReadOnly(false);
    setEditPath(folderSettPath());
    // The button's path may be kept as it is, typed or emptied.
    ui_->BitBtn2->setEnabled(true);
  }
  ui_->KtTreeView1->setFocus();
}

void TForm8::showButtonGlyph() {
  QWidget* glyph = program().folderSett().findChild<QWidget*>(QStringLiteral("Image1"));
  QPixmap picture;
  if (const auto* label = qobject_cast<QLabel*>(glyph)) {
    picture = label->pixmap();
  } else if (const auto* control = qobject_cast<PictureControl*>(glyph)) {
    picture = QPixmap::fromImage(control->picture().image());
  }
  ui_->Image1->setPixmap(picture);
}

std::string TForm8::folderSettPath() {
  Program& owner = program();
  const QLineEdit* edit = folderSettEdit1(owner.folderSett());
  if (edit == nullptr) return {};
  const SharedState& state = owner.state();
  if (state.currentButton >= 1 && state.currentButton <= kFolderButtonCount) {
    return pathFromText(edit->text(), state.settings.target(state.currentButton).FolderPath);
  }
  return edit->text().toStdString();
}

void TForm8::setFolderSettPath(const std::string& path) {
  if (QLineEdit* edit = folderSettEdit1(program().folderSett())) edit->setText(byteText(path));
}

void TForm8::KtTreeViewChange(QTreeWidgetItem*) {
  ui_->BitBtn2->setEnabled(ui_->KtTreeView1->SelectedIsExistingFolder());
  setEditPath(ui_->KtTreeView1->SelectedPath());
}

void TForm8::BitBtn2Click() {
  if (program().state().chooserForSource) {
    chooseSource();
    return;
  }
  chooseTarget();
}

void TForm8::chooseSource() {
  const std::string path = sourceFolderOf(editPath());
  close();
  program().form1().LoadPaths({path});
}

void TForm8::chooseTarget() {
  const std::string path = trimBlanks(editPath());
  MessageBoxes& boxes = program().boxes();
  if (!path.empty() && !isExistingFolder(path)) {
    const QString question =
        QLatin1Char('"') + byteText(path) + QStringLiteral("\"\r\r") + kCreateQuestion;
    if (boxes.confirm(question, this) == BoxAnswer::Yes &&
        !createFolderWithParents(boxes, this, path))
      return;
  }
  // Assigned also when the user did not want the folder made, and when empty (no target).
  SharedState& state = program().state();
  if (state.currentButton >= 1 && state.currentButton <= kFolderButtonCount)
    state.settings.target(state.currentButton).FolderPath = path;
  setFolderSettPath(path);
  close();
}

void TForm8::BitBtn1Click() {
  close();
}

void TForm8::BitBtn3Click() {
  setEnabled(false);
  program().form9().show();
}

// The folder button settings enable the other windows again when they close.
void TForm8::FormClose() {
  Program& owner = program();
  TFolderSett& settings = owner.folderSett();
  if (settings.isVisible()) {
    settings.setEnabled(true);
    SetTopmost(settings);
    return;
  }
  owner.form2().setEnabled(true);
  owner.form3().setEnabled(true);
  TForm1& main = owner.form1();
  main.setEnabled(true);
  SetTopmost(main);
}

}  // namespace tossbox
