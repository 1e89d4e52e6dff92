#include "forms/folderselect/NewFLD.h"

#include <QGuiApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>

#include "core/files/PathRules.h"
#include "core/shellns/FolderHandle.h"
#include "core/sorting/TrimBlanks.h"
#include "forms/folderselect/FolderCreation.h"
#include "forms/folderselect/UFileSelect.h"
#include "forms/main/Program.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/WindowPlacement.h"
#include "ui_NewFLD.h"

namespace tossbox {

TForm9::TForm9(Program& program)
    : ProgramWindow(program, QStringLiteral("Form9"), QStringLiteral("新規作成"),
                    Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      ui_(std::make_unique<Ui::TForm9>()) {
  ui_->setupUi(this);
  setClientSize(258, 89, true);
  setFont(pixelFont(kPGothic, 12));
  ui_->BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
  ui_->BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
  connect(ui_->BitBtn1, &QPushButton::clicked, this, &TForm9::BitBtn1Click);
  connect(ui_->BitBtn2, &QPushButton::clicked, this, &TForm9::BitBtn2Click);
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
          &TForm9::BitBtn1Click);
  for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
    connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
            &TForm9::BitBtn2Click);
  }
  setMouseTracking(true);
  installEventFilter(this);
  showOnlyWhenOpened();
}

TForm9::~TForm9() = default;

QLineEdit& TForm9::edit1() const {
  return *ui_->Edit1;
}

QPushButton& TForm9::bitBtn(int number) const {
  return number == 1 ? *ui_->BitBtn1 : *ui_->BitBtn2;
}

void TForm9::FormShow() {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  move(screen.x() + (screen.width() - width()) / 2, screen.y() + (screen.height() - height()) / 2);
  SetTopmost(*this);
  ui_->Edit1->setFocus();
}

void TForm9::BitBtn2Click() {
  const std::string name = trimBlanks(ui_->Edit1->text().toStdString());
  if (name.empty()) {
    ui_->Edit1->setFocus();
    return;
  }
  TForm8& chooser = program().form8();
  // Blanks around the chosen folder are dropped as its OK button drops them.
  const std::string path = joinPath(trimBlanks(chooser.editPath()), name);
  if (!isExistingFolder(path)) {
    if (!createFolderWithParents(program().boxes(), this, path)) return;
    chooser.setEditPath(path);
    chooser.reloadTree();
  }
  close();
}

void TForm9::BitBtn1Click() {
  close();
}

void TForm9::FormClose() {
  program().form8().setEnabled(true);
}

}  // namespace tossbox
