#pragma once
// Fills the renderer table's picture slots: JPEG, GIF, bitmap, icon and metafile.
#include "forms/render/RendererTable.h"

namespace tossbox {

void installPictureRenderers(RendererTable& table);

}  // namespace tossbox
