#include "forms/syurui/USyurui.h"

namespace tossbox {

TFSyurui::TFSyurui(Program& program)
    : ProgramWindow(program, QStringLiteral("FSyurui"), QStringLiteral("表示するファイル形式"),
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  setClientSize(337, 181, true);
}

}  // namespace tossbox
