#include "forms/folderselect/NewFLD.h"

namespace tossbox {

TForm9::TForm9(Program& program)
    : ProgramWindow(program, QStringLiteral("Form9"), QStringLiteral("新規作成"),
                    Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
  setClientSize(258, 89, true);
}

}  // namespace tossbox
