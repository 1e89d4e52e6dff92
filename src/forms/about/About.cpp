#include "forms/about/About.h"

namespace tossbox {

TSTVabout::TSTVabout(Program& program)
    : ProgramWindow(program, QStringLiteral("STVabout"), QStringLiteral("Sortivoについて"),
                    Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
  setClientSize(288, 108, true);
}

}  // namespace tossbox
