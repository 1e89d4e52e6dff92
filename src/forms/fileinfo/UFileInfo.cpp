#include "forms/fileinfo/UFileInfo.h"

#include <QApplication>
#include <QFrame>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QStyledItemDelegate>
#include <algorithm>

#include "core/files/FileKind.h"
#include "core/picture/FileInfoLines.h"
#include "forms/common/ByteText.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"
#include "forms/picture/PictureControl.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/WidgetColour.h"

namespace tossbox {

namespace {

constexpr RenderBox kInfoBox{94, 116};
constexpr int kItemHeight = 12;
// Windows' dialog units: a quarter of the font's average character width.
constexpr int kDialogUnitsPerCharacter = 4;

// Draws a line with its tabs expanded to the list's tab stops.
class TabbedLineDelegate : public QStyledItemDelegate {
 public:
  TabbedLineDelegate(int tabStop, QObject* parent)
      : QStyledItemDelegate(parent), tabStop_(tabStop) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    const QWidget* view = option.widget;
    QStyle* style = view != nullptr ? view->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, view);
    QTextOption text(Qt::AlignLeft | Qt::AlignVCenter);
    text.setTabStopDistance(tabStop_);
    text.setWrapMode(QTextOption::NoWrap);
    painter->save();
    painter->setFont(option.font);
    const bool selected = option.state & QStyle::State_Selected;
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(QRectF(option.rect), index.data(Qt::DisplayRole).toString(), text);
    painter->restore();
  }

 private:
  int tabStop_;
};

}  // namespace

TForm6::TForm6(Program& program)
    : ProgramWindow(program, QStringLiteral("Form6"), QStringLiteral("ﾌｧｲﾙ情報"),
                    Qt::Tool | Qt::WindowStaysOnTopHint) {
  setClientSize(429, 123, true);
  setFont(pixelFont(kPGothic, 12));
  panel1_ = new QFrame(this);
  panel1_->setObjectName(QStringLiteral("Panel1"));
  panel1_->setGeometry(8, 11, 123, 103);
  panel1_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel1_->setLineWidth(1);
  setColour(*panel1_, QPalette::Window, Qt::black);
  image1_ = new PictureControl(panel1_);
  image1_->setObjectName(QStringLiteral("Image1"));
  image1_->setGeometry(2, 2, 116, 94);
  image1_->setCenter(true);
  image1_->setStretch(true);
  listBox1_ = new QListWidget(this);
  listBox1_->setObjectName(QStringLiteral("ListBox1"));
  listBox1_->setGeometry(135, 11, 286, 103);
  listBox1_->setFont(pixelFont(kGothic, 12));
  listBox1_->setSelectionMode(QAbstractItemView::SingleSelection);
  listBox1_->setUniformItemSizes(true);
  listBox1_->setTextElideMode(Qt::ElideNone);
  setColour(*listBox1_->viewport(), QPalette::Base, palette().color(QPalette::Button));
  setColour(*listBox1_, QPalette::Base, palette().color(QPalette::Button));
  listBox1_->setItemDelegate(new TabbedLineDelegate(tabStopPixels(), listBox1_));
  for (QWidget* control :
       {static_cast<QWidget*>(panel1_), static_cast<QWidget*>(image1_), listBox1_->viewport()}) {
    control->installEventFilter(this);
    control->setMouseTracking(true);
  }
}

int TForm6::tabStopPixels() const {
  const QFontMetrics metrics(listBox1_->font());
  return kTabWidth * metrics.averageCharWidth() / kDialogUnitsPerCharacter;
}

void TForm6::FormShow() {
  if (const QScreen* screen = program().form1().screen()) {
    const QRect area = screen->availableGeometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
  }
  program().form1().DisplayFile(*image1_, program().state().files.currentFile(), FastDecode::On,
                                kInfoBox, 0, TargetRole::FileInfo);
  fillLines();
}

void TForm6::fillLines() {
  const SharedState& state = program().state();
  listBox1_->clear();
  const QFontMetrics metrics(listBox1_->font());
  extent_ = 0;
  std::vector<QString> lines;
  for (const std::string& line : fileInfoLines(state.files.currentFile(), state.shown)) {
    lines.push_back(byteText(line));
    extent_ = std::max(
        extent_,
        metrics.size(Qt::TextExpandTabs | Qt::TextSingleLine, lines.back(), tabStopPixels())
            .width());
  }
  // Every row as wide as the widest: the list scrolls that far.
  for (const QString& line : lines) {
    auto* item = new QListWidgetItem(line, listBox1_);
    item->setSizeHint(QSize(extent_, kItemHeight));
  }
}

void TForm6::FormClose() {
  if (program().state().shown.kind == shownKindNumber(FileKind::Video))
    program().form1().renderPreviewAgain();
}

}  // namespace tossbox
