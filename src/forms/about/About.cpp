#include "forms/about/About.h"

#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

#include "forms/main/Program.h"
#include "platform/art/Artwork.h"
#include "platform/ui/Fonts.h"
#include "ui_About.h"

namespace tossbox {

namespace {

QFont arial(int pixels) {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixels);
  font.setBold(true);
  return font;
}

}  // namespace

TSTVabout::TSTVabout(Program& program)
    : ProgramWindow(program, QStringLiteral("STVabout"), QStringLiteral("Sortivoについて"),
                    Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      ui_(std::make_unique<Ui::TSTVabout>()) {
  ui_->setupUi(this);
  setClientSize(288, 108, true);
  setFont(pixelFont(kGothic, 12));
  const QPixmap icon = program.art().programIcon().pixmap(32, 32);
  ui_->Image1->setPixmap(icon);
  ui_->Image1->setFixedSize(icon.size());
  ui_->Label1->setFont(arial(21));
  ui_->Label3->setFont(arial(15));
  ui_->Button1->setFont(pixelFont(kGothic, 12, true));
  for (QLabel* label : {ui_->Label1, ui_->Label3}) label->setAccessibleName(label->text());
  connect(ui_->Button1, &QPushButton::clicked, this, &TSTVabout::Button1Click);
  for (const int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
    connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
            &TSTVabout::Button1Click);
  }
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  move(screen.x() + (screen.width() - width()) / 2, screen.y() + (screen.height() - height()) / 2);
}

TSTVabout::~TSTVabout() = default;

QLabel& TSTVabout::image1() const {
  return *ui_->Image1;
}

QLabel& TSTVabout::label1() const {
  return *ui_->Label1;
}

QLabel& TSTVabout::label3() const {
  return *ui_->Label3;
}

QPushButton& TSTVabout::button1() const {
  return *ui_->Button1;
}

void TSTVabout::Button1Click() {
  close();
}

}  // namespace tossbox
