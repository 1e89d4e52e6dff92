#pragma once
// Plays a metafile's records onto a canvas, the way a device context would:
// window and viewport mapping with the mapping modes, SaveDC/RestoreDC, the
// object table with pens, brushes, fonts, palettes and regions, the colours
// and modes, and the drawing, text and bitmap records. Records it does not
// know are skipped; a record too short for its parameters is skipped too.
#include "core/picture/WmfCanvas.h"
#include "core/picture/WmfDocument.h"

namespace tossbox {

// Draws `document` so that its picture fills a canvas `width` x `height`
// pixels large, with the canvas origin at its top-left corner.
void playWmf(const WmfDocument& document, WmfCanvas& canvas, double width, double height);

}  // namespace tossbox
