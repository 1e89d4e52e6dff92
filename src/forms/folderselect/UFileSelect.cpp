#include "forms/folderselect/UFileSelect.h"

namespace tossbox {

TForm8::TForm8(Program& program)
    : ProgramWindow(program, QStringLiteral("Form8"), QStringLiteral("ﾌｫﾙﾀﾞ選択"),
                    Qt::Dialog) {
  setClientSize(315, 275, false);
}

}  // namespace tossbox
