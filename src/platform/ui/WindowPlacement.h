#pragma once
// Window-manager operations the windows share.
class QWidget;

namespace tossbox {

// Puts the window at the top of the always-on-top band and shows it,
// without moving or resizing it.
void SetTopmost(QWidget& window);

// Left coordinate for a window put beside another: to the right with a gap
// of 10 pixels when it fits with a 12-pixel margin, else to the left.
[[nodiscard]] int besideLeft(int screenWidth, int ownerLeft, int ownerWidth, int windowWidth);

}  // namespace tossbox
