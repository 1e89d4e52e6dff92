#include "forms/foldersett/UFolderSett.h"

namespace tossbox {

TFolderSett::TFolderSett(Program& program)
    : ProgramWindow(program, QStringLiteral("FolderSett"), QStringLiteral("ﾌｫﾙﾀﾞ設定"),
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  setClientSize(345, 309, true);
}

}  // namespace tossbox
