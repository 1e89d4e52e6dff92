#include "forms/list/UList.h"

#include <QActionGroup>

#include "core/files/DisplayedList.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"
#include "forms/syurui/USyurui.h"

namespace tossbox {

TForm2::TForm2(Program& program)
    : ProgramWindow(program, QStringLiteral("Form2"), QString(),
                    Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      listBox1_(new EntryListBox(program.state().sortList, this)) {
  setClientSize(166, 204, false);
  listBox1_->setObjectName(QStringLiteral("ListBox1"));
  auto* doubleClick = new QActionGroup(this);
  for (const auto& [name, caption] :
       {std::pair{"N3", "ﾌｫﾙﾀﾞを開く"}, std::pair{"N4", "ｱﾌﾟﾘｹｰｼｮﾝで起動"}}) {
    auto* item = new QAction(QString::fromUtf8(caption), this);
    item->setObjectName(QLatin1String(name));
    item->setCheckable(true);
    doubleClick->addAction(item);
  }
  auto* ascending = new QAction(QStringLiteral("昇順に並べる"), this);
  ascending->setObjectName(QStringLiteral("N10"));
  ascending->setCheckable(true);
  FormCreate();
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
  DisplayedList displayed = tossbox::RebuildList(state.sortList, shown, ascending);
  listBox1_->setRows(std::move(displayed.entryNumbers));
  program().fSyurui().setCounts(displayed.counts);
  listBox1_->setSelectedIndex(ascending ? 0 : position);
  program().form1().ShowCurrent();
}

}  // namespace tossbox
