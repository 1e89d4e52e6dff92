#pragma once
// The metafile renderer: our own player draws the records at the fitted size;
// false for a file that is not a metafile or whose records leave the file.
#include "forms/render/RenderCall.h"

namespace tossbox {

[[nodiscard]] bool RenderMetafile(RenderServices& services, const RenderArgs& args);

}  // namespace tossbox
