#pragma once
// The choice of renderer for a file: eleven tests by extension in a fixed
// order. A renderer that fails hands the file to every test after it and
// then, in a second run, to all of them from the top. A file of a newer kind
// (PNG, WebP, TIFF, the newer videos, sounds and texts) goes to its own
// renderer first and, when that fails, through the second run. Only the
// extension and the renderers' answers decide; the file's content is never
// looked at.
#include <functional>
#include <string_view>

#include "forms/render/RendererTable.h"

namespace tossbox {

// ext: lower case with its dot. render is called with each renderer tried.
void runDisplayDispatch(std::string_view ext, const std::function<bool(RendererId)>& render);

}  // namespace tossbox
