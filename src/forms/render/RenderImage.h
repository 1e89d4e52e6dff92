#pragma once
// The renderer of PNG, WebP and TIFF pictures, read by the system's image readers: decoded at
// the size the preview shows them (full size for the careful decode), fitted like every other
// picture, with width, height, depth and frame count recorded. An animated WebP plays its own
// frames with their own delays.
#include "core/picture/FitRectangle.h"
#include "forms/render/RenderCall.h"

namespace tossbox {

class ImageFileSource;

bool RenderImage(RenderServices& services, const RenderArgs& args);

// For a target that takes the preview's picture of `source` (already fitted to `fit`): decodes
// the file again when the target shows it larger than the preview decoded it, so an enlarged
// view is not a blown-up thumbnail. False when the preview's picture will do or the file can no
// longer be read.
[[nodiscard]] bool redecodeForLargerTarget(const RenderArgs& args, const ImageFileSource& source,
                                           const FitResult& fit);

}  // namespace tossbox
