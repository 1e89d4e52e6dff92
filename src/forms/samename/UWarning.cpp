#include "forms/samename/UWarning.h"
#include "forms/common/ByteText.h"

#include <algorithm>

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "core/files/FileStatus.h"
#include "core/files/PathRules.h"
#include "core/sorting/ConflictLabels.h"
#include "core/sorting/SortPaths.h"
#include "core/sorting/SortToFolder.h"
#include "forms/list/UList.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"
#include "forms/picture/PictureControl.h"
#include "forms/render/RenderBox.h"
#include "forms/viewer/ULarge.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/WindowPlacement.h"
#include "ui_UWarning.h"

namespace tossbox {

namespace {

// The box of each of the two pictures of the clash.
constexpr RenderBox kPictureBox{94, 130};

// The size of the file itself: a kind that no renderer read leaves the shown facts of another
// file behind, and those must not be printed as this one's.
std::uint64_t sizeOf(const std::string& path) {
  return static_cast<std::uint64_t>(std::max<std::int64_t>(fileByteCount(path).value_or(0), 0));
}

void setLabel(QLabel& label, const std::string& content) {
  label.setText(byteText(content));
  label.setToolTip(byteText(content));
}

void enableOthers(Program& program, bool on) {
  program.form1().setEnabled(on);
  program.form2().setEnabled(on);
  program.form3().setEnabled(on);
}

}  // namespace

TForm5::TForm5(Program& program)
    : ProgramWindow(program, QStringLiteral("Form5"),
                    QStringLiteral("同じ名前のファイルがあります！　どうしますか？"),
                    Qt::Dialog | Qt::WindowStaysOnTopHint),
      ui_(std::make_unique<Ui::TForm5>()) {
  ui_->setupUi(this);
  setObjectName(QStringLiteral("Form5"));
  setClientSize(398, 229, false);
  setFont(pixelFont(kGothic, 12));
  setMouseTracking(true);
  for (QLabel* label : {ui_->Label2, ui_->Label3, ui_->Label4, ui_->Label5, ui_->Label6,
                        ui_->Label7, ui_->Label8, ui_->Label9})
    label->setFont(pixelFont(kGothic, 11));
  for (QFrame* panel : {ui_->Panel1, ui_->Panel2}) {
    QPalette black = panel->palette();
    black.setColor(QPalette::Window, Qt::black);
    panel->setPalette(black);
    panel->setAutoFillBackground(true);
  }
  ui_->Image3->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
  connect(ui_->Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
  connect(ui_->Button2, &QPushButton::clicked, this, &TForm5::Button2Click);
  connect(ui_->Button3, &QPushButton::clicked, this, &TForm5::Button3Click);
}

TForm5::~TForm5() = default;

PictureControl& TForm5::image1() {
  return *ui_->Image1;
}
PictureControl& TForm5::image2() {
  return *ui_->Image2;
}

void TForm5::Ask(int button, std::string source, std::string target) {
  button_ = button;
  conflictSource_ = std::move(source);
  conflictTarget_ = std::move(target);
  advanceOnClose_ = true;
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
  if (isVisible())
    FormShow();
  else
    show();
}

void TForm5::mouseMoveEvent(QMouseEvent* event) {
  program().screenCursor().reset();
  ProgramWindow::mouseMoveEvent(event);
}

void TForm5::FormShow() {
  TForm1& main = program().form1();
  main.DisplayFile(*ui_->Image1, conflictSource_, FastDecode::On, kPictureBox, 0,
                   TargetRole::SameNameSource);
  ui_->Edit1->setText(byteText(folderOf(conflictSource_)));
  ui_->Edit2->setText(byteText(folderOf(conflictTarget_)));
  // A long folder shows its beginning, as the name below shows its end.
  ui_->Edit1->setCursorPosition(0);
  ui_->Edit2->setCursorPosition(0);
  setLabel(*ui_->Label8, sourceNameText(conflictSource_));
  setLabel(*ui_->Label9, targetNameText(conflictTarget_));
  setLabel(*ui_->Label3, conflictSizeText(sizeOf(conflictSource_)));
  setLabel(*ui_->Label4, conflictDateText(lastWriteTime(conflictSource_)));
  main.DisplayFile(*ui_->Image2, conflictTarget_, FastDecode::On, kPictureBox, 0,
                   TargetRole::SameNameTarget);
  setLabel(*ui_->Label6, conflictSizeText(sizeOf(conflictTarget_)));
  setLabel(*ui_->Label7, conflictDateText(lastWriteTime(conflictTarget_)));
  enableOthers(program(), false);
  SetTopmost(*this);
  ui_->Button3->setFocus();
}

void TForm5::FormClose() {
  Program& owner = program();
  enableOthers(owner, true);
  SetTopmost(owner.form1());
  if (advanceOnClose_) owner.form1().AdvanceAfterAction();
}

void TForm5::answer(const std::string& target) {
  Program& owner = program();
  if (button_ < 1 || button_ > kFolderButtonCount) return;
  const OperationResult result = SortAnswer(
      owner.fileOperation(), owner.state().settings.target(button_), conflictSource_, target);
  if (result.ok()) return;
  advanceOnClose_ = false;
  owner.form1().setStatusText(byteText(result.statusText()));
}

void TForm5::Button1Click() {
  close();
}

void TForm5::Button2Click() {
  SetTopmost(*this);
  const std::string_view extension = extensionKeptOf(conflictSource_);
  SaveFileRequest request;
  request.owner = this;
  request.filter =
      QStringLiteral("ﾌｧｲﾙ (*") + byteText(extension) + QStringLiteral(")|*") + byteText(extension);
  request.proposedName = byteText(LastPathPart(conflictSource_));
  if (button_ >= 1 && button_ <= kFolderButtonCount)
    request.folder = program().state().settings.target(button_).FolderPath;
  const std::optional<std::string> chosen = program().chooseSaveFile(request);
  if (!chosen) return;
  answer(*chosen);
  close();
}

void TForm5::Button3Click() {
  SetTopmost(*this);
  answer(conflictTarget_);
  close();
}

}  // namespace tossbox
