#pragma once
// The bitmap renderer: pixels through the BMP reader, the depth text and the
// transparent colour from the file itself; false for a file it cannot read.
#include "forms/render/RenderCall.h"

namespace tossbox {

[[nodiscard]] bool RenderBitmap(RenderServices& services, const RenderArgs& args);

}  // namespace tossbox
