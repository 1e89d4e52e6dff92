#include "forms/foldersettings/UFolderSett.h"
#include "forms/common/ByteText.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

#include "core/files/PathRules.h"
#include "core/shellns/UserDirs.h"
#include "core/sorting/FileTransfer.h"
#include "core/sorting/FolderSettingsRules.h"
#include "forms/folderselect/UFileSelect.h"
#include "forms/list/UList.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"
#include "forms/viewer/ULarge.h"
#include "platform/art/Artwork.h"
#include "platform/prompt/MessageBoxes.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/WindowPlacement.h"
#include "ui_UFolderSett.h"

namespace tossbox {

namespace {

const QString kCreateQuestion = QStringLiteral("上記のフォルダを新規作成しますか？");
const QString kCreateFailed = QStringLiteral("ﾌｫﾙﾀﾞを作成できませんでした。");
const QString kNotAbsolute =
    QStringLiteral("ﾌｫﾙﾀﾞ名は \"/\" または \"~/\" から始まるﾊﾟｽで指定して下さい。");
const QString kSlashInPrefix = QStringLiteral("連番のﾌｧｲﾙ名に \"/\" は使えません。");

bool validButton(int n) {
  return n >= 1 && n <= kFolderButtonCount;
}

void enableOthers(Program& program, bool on) {
  program.form1().setEnabled(on);
  program.form2().setEnabled(on);
  program.form3().setEnabled(on);
}

}  // namespace

TFolderSett::TFolderSett(Program& program)
    : ProgramWindow(program, QStringLiteral("FolderSett"), QStringLiteral("ﾌｫﾙﾀﾞ設定"),
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint),
      ui_(std::make_unique<Ui::TFolderSett>()) {
  ui_->setupUi(this);
  setObjectName(QStringLiteral("FolderSett"));
  setClientSize(345, 309, true);
  setFont(pixelFont(kGothic, 12));
  setMouseTracking(true);
  connect(ui_->CheckBox1, &QCheckBox::clicked, this, &TFolderSett::CheckBox1Click);
  connect(ui_->Button1, &QPushButton::clicked, this, &TFolderSett::Button1Click);
  connect(ui_->Button3, &QPushButton::clicked, this, &TFolderSett::Button3Click);
  connect(ui_->Button4, &QPushButton::clicked, this, &TFolderSett::Button4Click);
}

TFolderSett::~TFolderSett() = default;

void TFolderSett::mouseMoveEvent(QMouseEvent* event) {
  program().screenCursor().reset();
  ProgramWindow::mouseMoveEvent(event);
}

TFolderSett::TargetFields TFolderSett::targetFields() const {
  TargetFields fields{ui_->Edit1->text(), ui_->Edit2->text(), ui_->Edit3->text(),
                      ui_->CheckBox1->isChecked(), std::nullopt};
  if (ui_->RadioButton3->isChecked())
    fields.sameName = SameName::AppendS;
  else if (ui_->RadioButton2->isChecked())
    fields.sameName = SameName::Overwrite;
  else if (ui_->RadioButton1->isChecked())
    fields.sameName = SameName::Ask;
  return fields;
}

void TFolderSett::setTargetFields(const TargetFields& fields) {
  ui_->Edit1->setText(fields.folder);
  ui_->Edit2->setText(fields.serialPrefix);
  ui_->Edit3->setText(fields.serialNumber);
  ui_->CheckBox1->setChecked(fields.serialRename);
  if (!fields.sameName) return;
  QRadioButton* marked = *fields.sameName == SameName::Overwrite ? ui_->RadioButton2
                         : *fields.sameName == SameName::AppendS ? ui_->RadioButton3
                                                                 : ui_->RadioButton1;
  marked->setChecked(true);
}

void TFolderSett::FormShow() {
  Program& owner = program();
  const int n = owner.state().currentButton;
  ui_->Image1->setPixmap(owner.art().imageList1(n));
  enableOthers(owner, false);
  SetTopmost(*this);
  owner.settingsBinding().LoadSettingsToControls();
  const bool serial = validButton(n) && owner.state().settings.target(n).renamesSerially();
  ui_->CheckBox1->setChecked(serial);
  if (ui_->Edit1->text().isEmpty())
    ui_->Edit1->setFocus();
  else
    ui_->Button4->setFocus();
  applySerialEnabling(serial);
}

void TFolderSett::FormClose() {
  Program& owner = program();
  enableOthers(owner, true);
  SetTopmost(owner.form1());
}

void TFolderSett::applySerialEnabling(bool on) {
  for (QWidget* control : {static_cast<QWidget*>(ui_->Edit2), static_cast<QWidget*>(ui_->Edit3),
                           static_cast<QWidget*>(ui_->Label2)}) {
    control->setEnabled(on);
  }
  const QPalette& colours = palette();
  for (QLineEdit* edit : {ui_->Edit2, ui_->Edit3}) {
    QPalette look = edit->palette();
    look.setColor(QPalette::Disabled, QPalette::Base, colours.color(QPalette::Button));
    edit->setPalette(look);
  }
}

void TFolderSett::CheckBox1Click() {
  const bool on = ui_->CheckBox1->isChecked();
  applySerialEnabling(on);
  if (on) ui_->Edit2->setFocus();
}

void TFolderSett::Button1Click() {
  setEnabled(false);
  program().form8().openFor(false);
}

void TFolderSett::Button3Click() {
  close();
}

std::string TFolderSett::folderBytes() {
  const int n = program().state().currentButton;
  const QString text = ui_->Edit1->text();
  if (validButton(n)) {
    return pathFromText(text, program().state().settings.target(n).FolderPath);
  }
  return text.toStdString();
}

void TFolderSett::setFolderText(const std::string& bytes) {
  if (ui_->Edit1->text() != byteText(bytes)) ui_->Edit1->setText(byteText(bytes));
}

void TFolderSett::Button4Click() {
  Program& owner = program();
  const int n = owner.state().currentButton;
  const std::string typed = trimBlanks(folderBytes());
  const std::optional<std::string> resolved = typedFolderPath(typed, currentHomeFolder());
  if (!resolved) {
    setFolderText(typed);
    owner.boxes().error(
        QLatin1Char('"') + byteText(typed) + QStringLiteral("\"\r\r") + kNotAbsolute, this);
    ui_->Edit1->setFocus();
    return;
  }
  const std::string& folder = *resolved;
  setFolderText(folder);
  if (folderRefusal(folder) == ApplyRefusal::RootFolder) {
    ui_->Edit1->setFocus();
    return;
  }
  if (!folder.empty() && entryAt(folder) != Entry::Folder) {
    const QString question =
        QLatin1Char('"') + byteText(folder) + QStringLiteral("\"\r\r") + kCreateQuestion;
    if (owner.boxes().confirm(question, this) == BoxAnswer::Yes) {
      if (const std::error_code error = makeFolders(folder)) {
        owner.boxes().error(kCreateFailed + QLatin1Char('\n') + byteText(folder) +
                                QLatin1Char('\n') + QString::fromStdString(error.message()),
                            this);
        ui_->Edit1->setFocus();
        return;
      }
    }
    ui_->Edit1->setFocus();
  }
  if (prefixRefusal(ui_->CheckBox1->isChecked(), ui_->Edit2->text().toStdString()) ==
      ApplyRefusal::SerialPrefix) {
    owner.boxes().error(kSlashInPrefix, this);
    ui_->Edit2->setFocus();
    return;
  }
  if (serialRefusal(ui_->CheckBox1->isChecked(), ui_->Edit3->text().toStdString()) ==
      ApplyRefusal::SerialNumber) {
    ui_->Edit3->setFocus();
    return;
  }
  owner.settingsBinding().StoreControlsToSettings(StoreCaller::FolderTarget);
  if (!validButton(n)) return;
  const FolderTarget& target = owner.state().settings.target(n);
  owner.form1().folderButton(n).setText(byteText(LastPathPart(target.FolderPath)));
  switch (afterApply(target)) {
    case AfterApply::Close:
      close();
      break;
    case AfterApply::FocusPrefix:
      ui_->Edit2->setFocus();
      break;
    case AfterApply::FocusSerial:
      ui_->Edit3->setFocus();
      break;
  }
}

}  // namespace tossbox
