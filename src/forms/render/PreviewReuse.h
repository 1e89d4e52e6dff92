#pragma once
// How targets other than the preview show a picture file: they take the
// preview's picture when it came from the same path, fitted with the facts
// recorded for it, instead of reading the file again. A viewer that asks for
// the careful decode gets the JPEG decoded afresh from the shared bytes at
// full size, and a metafile is drawn again at the target's size.
#include "forms/render/RenderCall.h"

namespace tossbox {

// True when the target now shows the preview's picture; false when the
// preview holds no picture of `args.path`, and the caller reads the file.
[[nodiscard]] bool reusePreviewPicture(RenderServices& services, const RenderArgs& args);

}  // namespace tossbox
