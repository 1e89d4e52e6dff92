#pragma once
// Runs a long copy on a thread of its own while the user-interface thread goes on painting and
// running its timers. Input waits until the copy ends, as during the visible press of a button:
// a click taken meanwhile would act on a file that is still being copied.
#include <functional>

#include "core/sorting/FileOperation.h"

namespace tossbox {

// `percent` is told on the user-interface thread: 0 at the start, then each time the
// percentage moves on, and 100 once the copy has ended well.
[[nodiscard]] HiddenCopy copyInBackground(const LongCopy& copy,
                                          const std::function<void(int)>& percent);

}  // namespace tossbox
