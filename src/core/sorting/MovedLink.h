#pragma once
// Moving a symbolic link moves the link, not the file it reaches. A relative link read from its
// new folder would reach something else or nothing, so the moved link is made anew, aimed at the
// same file.
#include <string>

#include "core/sorting/FileTransfer.h"

namespace tossbox {

// A link under a hidden name in `folder` that reaches the file the link at `link` (whose text
// is `text`) reaches. An absolute text is kept; a relative one is re-aimed from `folder` and
// stays relative where that reaches the same file, else becomes the file's full path. Fails,
// leaving nothing behind, when the link reaches no file.
[[nodiscard]] HiddenCopy remakeLinkIn(const std::string& link, const std::string& text,
                                      const std::string& folder);

}  // namespace tossbox
