#include "forms/list/UList.h"

#include <QActionGroup>

#include "core/files/DisplayedList.h"
#include "forms/kindfilter/USyurui.h"
#include "forms/main/KeyCommands.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"

namespace tossbox {

TForm2::TForm2(Program& program)
    : ProgramWindow(program, QStringLiteral("Form2"), QString(),
                    Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      listBox1_(new EntryListBox(program.state().files.sortList(), this)) {
  setClientSize(166, 204, false);
  listBox1_->setObjectName(QStringLiteral("ListBox1"));
  program.state().files.setRows(*listBox1_);
  auto* doubleClick = new QActionGroup(this);
  for (QAction** item : {&n3_, &n4_}) {
    *item = new QAction(this);
    (*item)->setCheckable(true);
    doubleClick->addAction(*item);
  }
  n3_->setObjectName(QStringLiteral("N3"));
  n3_->setText(QStringLiteral("ﾌｫﾙﾀﾞを開く"));
  n4_->setObjectName(QStringLiteral("N4"));
  n4_->setText(QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝで起動"));
  n10_ = new QAction(QStringLiteral("昇順に並べる"), this);
  n10_->setObjectName(QStringLiteral("N10"));
  n10_->setCheckable(true);
  FormCreate();
  program.history().addObserver(*this);
  installKeyCommands(program, *this);
}

TForm2::~TForm2() {
  program().history().removeObserver(*this);
}

std::optional<TForm2::ListDoubleClick> TForm2::doubleClickAction() const {
  if (n3_->isChecked()) return ListDoubleClick::OpensFolder;
  if (n4_->isChecked()) return ListDoubleClick::OpensFile;
  return std::nullopt;
}

void TForm2::setDoubleClickAction(ListDoubleClick action) {
  n3_->setChecked(action == ListDoubleClick::OpensFolder);
  n4_->setChecked(action == ListDoubleClick::OpensFile);
}

bool TForm2::sortAscending() const {
  return n10_->isChecked();
}

void TForm2::setSortAscending(bool on) {
  n10_->setChecked(on);
}

void TForm2::resizeEvent(QResizeEvent* event) {
  ProgramWindow::resizeEvent(event);
  FormResize();
}

void TForm2::RebuildList() {
  SharedState& state = program().state();
  const int position = listBox1_->selectedIndex();
  KindFlags shown{};
  for (std::size_t kind = 0; kind < kFileKindCount; ++kind)
    shown[kind] = program().fSyurui().kindChecked(static_cast<int>(kind) + 1);
  const bool ascending = state.settings.ListSortAscending == 1;
  DisplayedList displayed = tossbox::RebuildList(state.files.sortList(), shown, ascending);
  listBox1_->setRows(std::move(displayed.entryNumbers));
  program().fSyurui().setCounts(displayed.counts);
  listBox1_->setSelectedIndex(ascending ? 0 : position);
  program().form1().ShowCurrent();
}

}  // namespace tossbox
