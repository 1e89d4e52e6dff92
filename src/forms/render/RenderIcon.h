#pragma once
// The icon renderer: the first image of an icon file, read for every target.
// An icon that cannot be read leaves the target empty and still counts as
// handled.
#include "forms/render/RenderCall.h"

namespace tossbox {

[[nodiscard]] bool RenderIcon(RenderServices& services, const RenderArgs& args);

}  // namespace tossbox
