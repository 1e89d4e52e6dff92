#pragma once
// The pixel format of a decoded picture as the information window names it.
// Bitmaps and GIF pictures describe their depth in these words; the JPEG
// renderer has its own two texts (see ShownFileTexts.h).
#include <string_view>

namespace tossbox {

enum class PixelDepth { Device, Bit1, Bit4, Bit8, Bit15, Bit16, Bit24, Bit32, Custom };

[[nodiscard]] std::string_view pixelDepthText(PixelDepth depth);

}  // namespace tossbox
