#include "forms/viewer/ULarge.h"

namespace tossbox {

TForm3::TForm3(Program& program)
    : ProgramWindow(program, QStringLiteral("Form3"), QStringLiteral(""),
                    Qt::Window | Qt::FramelessWindowHint) {
  setClientSize(320, 240, false);
}

}  // namespace tossbox
