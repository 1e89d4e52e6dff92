#pragma once
// A long copy of a sort, a move or an undo, shown in the main window: "しばらくお待ち下さい．．．"
// with the percentage in the status line while the copy runs off the user-interface thread, the
// text before it put back at the end. Auto-advance holds still meanwhile and counts its interval
// again afterwards, as after the visible press.
#include "core/sorting/FileOperation.h"

namespace tossbox {

class TForm1;

[[nodiscard]] HiddenCopy copyShowingProgress(TForm1& window, const LongCopy& copy);

}  // namespace tossbox
