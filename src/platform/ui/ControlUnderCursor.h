#pragma once
// Which of the program's controls lies under the mouse pointer, by name.
#include <QString>

class QWidget;

namespace tossbox {

// The name of `hit` or of the nearest named control holding it. The parts a control is made
// of (a video surface, a view's viewport) have no name of their own and stand for the control
// holding them. Empty for nullptr.
[[nodiscard]] QString namedControlOf(QWidget* hit);

// The innermost named control of the program under the pointer, disabled ones included;
// `name` is left as it was when there is none.
void ControlUnderCursor(QString& name);

}  // namespace tossbox
