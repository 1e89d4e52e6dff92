#pragma once
// The text renderer for .txt, .ini, .doc and .rtf files. The preview reads
// the file into the program's text lines and draws the first of them on
// white; the information window and the same-name dialog's first picture
// draw from those lines, the viewer lists them, and the same-name dialog's
// second picture reads the file already in the target folder for itself.
// A file that cannot be read throws, naming the file and the reason; the
// status line gets its text back first.
#include "forms/render/RenderCall.h"

namespace tossbox {

[[nodiscard]] bool RenderText(RenderServices& services, const RenderArgs& args);

}  // namespace tossbox
