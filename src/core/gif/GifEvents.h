#pragma once
// The notifications a GIF image gives while it reads, copies and renders.
#include <functional>
#include <string_view>

#include "core/gif/GifBitmap.h"

namespace tossbox {

class TGIFImage;

enum class GifProgressStage { Starting, Running, Ending };
enum class GifSeverity { Warning };

// stage, percent 0..100, redraw-now flag, rectangle (always empty here), text
using GifProgressEvent =
    std::function<void(GifProgressStage, int, bool, const GifRect&, std::string_view)>;
// sender, severity, text
using GifWarningEvent = std::function<void(const TGIFImage&, GifSeverity, std::string_view)>;
// Where the readers send their warnings.
using GifWarningSink = std::function<void(std::string_view)>;

}  // namespace tossbox
