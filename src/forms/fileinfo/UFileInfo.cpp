#include "forms/fileinfo/UFileInfo.h"

namespace tossbox {

TForm6::TForm6(Program& program)
    : ProgramWindow(program, QStringLiteral("Form6"), QStringLiteral("ﾌｧｲﾙ情報"),
                    Qt::Tool | Qt::WindowStaysOnTopHint) {
  setClientSize(429, 123, true);
}

}  // namespace tossbox
