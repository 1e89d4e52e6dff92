#pragma once
// Fills the renderer table's picture slots: JPEG, GIF, bitmap, icon, metafile and the pictures
// of the image readers (PNG, WebP, TIFF).
#include "forms/render/RendererTable.h"

namespace tossbox {

void installPictureRenderers(RendererTable& table);

}  // namespace tossbox
