#include "forms/warning/UWarning.h"

namespace tossbox {

TForm5::TForm5(Program& program)
    : ProgramWindow(program, QStringLiteral("Form5"), QStringLiteral("同じ名前のファイルがあります！　どうしますか？"),
                    Qt::Dialog) {
  setClientSize(398, 229, false);
}

}  // namespace tossbox
