#include "forms/list/UList.h"

namespace tossbox {

TForm2::TForm2(Program& program)
    : ProgramWindow(program, QStringLiteral("Form2"), QStringLiteral(""),
                    Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setClientSize(166, 204, false);
}

}  // namespace tossbox
