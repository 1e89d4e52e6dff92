#pragma once
// The JPEG renderer: half scale with the fast method for small targets, full
// size with the accurate one otherwise, drawn scan by scan while a
// progressive file decodes; one retry from a copy in the temporary folder.
#include "forms/render/RenderCall.h"

namespace tossbox {

[[nodiscard]] bool RenderJpeg(RenderServices& services, const RenderArgs& args);

}  // namespace tossbox
