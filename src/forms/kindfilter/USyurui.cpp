#include "forms/kindfilter/USyurui.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRect>
#include <QScreen>
#include <QToolButton>

#include "core/files/FileKind.h"
#include "forms/list/UList.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"
#include "forms/main/SettingsBinding.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/WindowPlacement.h"

namespace tossbox {

namespace {

// The newer kinds sit in a second bevel below the first, pictures on the left under the left
// column, the longer captions of the newer videos, sounds and texts on the right in wider boxes.
constexpr int kClientWidth = 367;
constexpr int kClientHeight = 253;
constexpr int kBevelWidth = 361;
constexpr int kNewerBevelTop = 174;
constexpr int kNewerFirstRow = 178;
constexpr int kNewerRows = 3;

struct KindPlace {
  QRect box;
  QRect count;
};

KindPlace placeOfKind(int n) {
  if (n <= static_cast<int>(kOlderFileKindCount)) {
    const bool left = n <= 7;
    const int y = 26 + 20 * (left ? n - 1 : n - 8);
    return {QRect(left ? 9 : 174, y, 97, 17), QRect(left ? 109 : 273, y, 41, 17)};
  }
  const int newer = n - static_cast<int>(kOlderFileKindCount) - 1;
  const bool left = newer < kNewerRows;
  const int y = kNewerFirstRow + 20 * (newer % kNewerRows);
  return left ? KindPlace{QRect(9, y, 97, 17), QRect(109, y, 41, 17)}
              : KindPlace{QRect(174, y, 140, 17), QRect(316, y, 41, 17)};
}

// "Label12" is the header, so the counts of kinds 12 to 17 are Label13 to Label18.
int countLabelNumber(int n) {
  return n <= static_cast<int>(kOlderFileKindCount) ? n : n + 1;
}

}  // namespace

void ReleaseCheckBox::mouseReleaseEvent(QMouseEvent* event) {
  QCheckBox::mouseReleaseEvent(event);
  emit mouseReleased();
}

TFSyurui::TFSyurui(Program& program)
    : ProgramWindow(program, QStringLiteral("FSyurui"), QStringLiteral("表示するファイル形式"),
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  setClientSize(kClientWidth, kClientHeight, true);
  setFont(pixelFont(kPGothic, 12));

  auto* bevel = new QFrame(this);
  bevel->setObjectName(QStringLiteral("Bevel1"));
  bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
  bevel->setGeometry(3, 22, kBevelWidth, 149);
  auto* newerBevel = new QFrame(this);
  newerBevel->setObjectName(QStringLiteral("Bevel2"));
  newerBevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
  newerBevel->setGeometry(3, kNewerBevelTop, kBevelWidth, 8 + 20 * kNewerRows);

  auto* header = new QLabel(this);
  header->setObjectName(QStringLiteral("Label12"));
  header->setGeometry(0, 4, 337, 16);
  const QString titles = QStringLiteral(
      "<table cellspacing=0 cellpadding=0><tr>"
      "<td width=109 style='padding-left:12px'>形式</td><td width=65 align=center>ﾌｧｲﾙ数</td>"
      "<td width=99 style='padding-left:12px'>形式</td><td width=64 align=center>ﾌｧｲﾙ数</td>"
      "</tr></table>");
  header->setText(titles);
  header->setAccessibleName(QStringLiteral("形式 ﾌｧｲﾙ数 形式 ﾌｧｲﾙ数"));

  const auto table = fileKindTable();
  for (int n = 1; n <= static_cast<int>(kFileKindCount); ++n) {
    const KindPlace place = placeOfKind(n);
    const std::string_view caption = table[static_cast<std::size_t>(n - 1)].caption;
    auto* box = new ReleaseCheckBox(
        QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())), this);
    box->setObjectName(QStringLiteral("CheckBox%1").arg(n));
    box->setGeometry(place.box);
    connect(box, &ReleaseCheckBox::mouseReleased, this, &TFSyurui::CheckBox1MouseDown);
    box->installEventFilter(this);
    box->setMouseTracking(true);
    checkBoxes_[static_cast<std::size_t>(n - 1)] = box;

    auto* label = new QLabel(QStringLiteral("0"), this);
    label->setObjectName(QStringLiteral("Label%1").arg(countLabelNumber(n)));
    label->setGeometry(place.count);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(pixelFont(kGothic, 12));
    labels_[static_cast<std::size_t>(n - 1)] = label;
  }

  auto* selectAll = new QPushButton(QStringLiteral("全て選択"), this);
  selectAll->setObjectName(QStringLiteral("Button1"));
  selectAll->setGeometry(256, 123, 66, 20);
  connect(selectAll, &QPushButton::clicked, this, &TFSyurui::Button1Click);
  auto* clearAll = new QPushButton(QStringLiteral("全て解除"), this);
  clearAll->setObjectName(QStringLiteral("Button2"));
  clearAll->setGeometry(256, 146, 66, 20);
  connect(clearAll, &QPushButton::clicked, this, &TFSyurui::Button2Click);
  setMouseTracking(true);
}

bool TFSyurui::kindChecked(int kind) const {
  return checkBoxes_.at(static_cast<std::size_t>(kind - 1))->isChecked();
}

void TFSyurui::setKindChecked(int kind, bool checked) {
  checkBoxes_.at(static_cast<std::size_t>(kind - 1))->setChecked(checked);
}

QString TFSyurui::countText(int kind) const {
  return labels_.at(static_cast<std::size_t>(kind - 1))->text();
}

void TFSyurui::setCounts(const KindCounts& counts) {
  for (std::size_t n = 0; n < counts.size(); ++n) labels_[n]->setText(QString::number(counts[n]));
}

void TFSyurui::resetCounts() {
  for (QLabel* label : labels_) label->setText(QStringLiteral("0"));
}

void TFSyurui::PlaceBesideMain() {
  TForm1& main = program().form1();
  const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
  move(besideLeft(screenWidth, main.x(), main.width(), width()), main.y());
  main.ReleaseSpeedButton3();
  program().settingsBinding().LoadSettingsToControls();
  show();
}

void TFSyurui::FormShow() {
  SetTopmost(*this);
}

void TFSyurui::CheckBox1MouseDown() {
  program().settingsBinding().StoreControlsToSettings();
  program().form2().RebuildList();
}

void TFSyurui::setAll(bool checked) {
  for (QCheckBox* box : checkBoxes_) box->setChecked(checked);
  program().settingsBinding().StoreControlsToSettings();
  program().form2().RebuildList();
}

void TFSyurui::Button1Click() {
  setAll(true);
}
void TFSyurui::Button2Click() {
  setAll(false);
}

}  // namespace tossbox
