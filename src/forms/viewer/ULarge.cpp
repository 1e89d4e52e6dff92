#include "forms/viewer/ULarge.h"

#include <QActionGroup>

namespace tossbox {

TForm3::TForm3(Program& program)
    : ProgramWindow(program, QStringLiteral("Form3"), QString(),
                    Qt::Window | Qt::FramelessWindowHint) {
  setClientSize(320, 240, false);
  auto* doubleClick = new QActionGroup(this);
  for (const auto& [name, caption] : {std::pair{"Close1", "閉じる"}, std::pair{"N1", "表示切替"}}) {
    auto* item = new QAction(QString::fromUtf8(caption), this);
    item->setObjectName(QLatin1String(name));
    item->setCheckable(true);
    doubleClick->addAction(item);
  }
  for (const auto& [name, caption] :
       {std::pair{"N2", "ﾌﾙｽｸﾘｰﾝ表示"}, std::pair{"N8", "常に中央表示"}}) {
    auto* item = new QAction(QString::fromUtf8(caption), this);
    item->setObjectName(QLatin1String(name));
    item->setCheckable(true);
  }
}

}  // namespace tossbox
