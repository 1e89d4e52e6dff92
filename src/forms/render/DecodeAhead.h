#pragma once
// Decoding one file ahead of its showing, off the user-interface thread: read, checked and decoded
// as the preview's renderer would, through the same decode steps, so that showing the result
// later is showing what a fresh decode would give. Nothing here touches a widget.
#include <functional>
#include <memory>
#include <string>

#include "forms/render/PrefetchedEntry.h"
#include "forms/render/RendererTable.h"
#include "forms/render/TextRead.h"

namespace tossbox {

// One file to have ready, decoded as its renderer would for this box.
struct PrefetchRequest {
  std::string path;
  RendererId renderer = RendererId::Jpeg;
  bool fast = true;
  int boxHeight = 0;
  int boxWidth = 0;
  int mode = 0;
  int displayDepth = 24;
  // The converter the text renderer reads RTF documents through.
  RtfLines rtfLines = nullptr;
  // False for the file on show: kept when it is there, not decoded again when it is not.
  bool decode = true;
};

// Whether files of the renderer's kind are decoded ahead.
[[nodiscard]] bool decodesAhead(RendererId renderer);

// Reads and decodes one request, asking `abandon` now and then whether to give up; null when the
// file does not decode, changed while it was read, or was abandoned.
[[nodiscard]] std::shared_ptr<const PrefetchedEntry> decodeAhead(
    const PrefetchRequest& request, const std::function<bool()>& abandon);

}  // namespace tossbox
