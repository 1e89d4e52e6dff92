#pragma once
// The GIF renderer: the file through the GIF reader, the facts the
// information window prints (version, colour resolution, frame count, depth),
// and a picture that animates in every control it is given to. False for a
// file it cannot read, so the display fallback tries the other renderers.
#include "forms/render/RenderCall.h"

namespace tossbox {

[[nodiscard]] bool RenderGif(RenderServices& services, const RenderArgs& args);

}  // namespace tossbox
