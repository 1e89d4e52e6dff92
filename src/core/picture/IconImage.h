#pragma once
// One image of an icon file stored as a bitmap: a DIB header of its own size
// whose height counts the colour rows and the AND mask together, the colour
// rows, then the one-bit mask that makes pixels transparent.
#include <optional>

#include "core/picture/DibPixels.h"
#include "core/picture/LittleEndian.h"

namespace tossbox {

// Whether the image bytes are a PNG rather than a bitmap.
[[nodiscard]] bool iconImageIsPng(Bytes image);

// The pixels of a bitmap icon image, masked pixels fully transparent. A
// 32-bit image carries its own alpha; the mask is used only when that alpha
// is empty throughout, as older writers leave it.
[[nodiscard]] std::optional<DibPixels> decodeIconBitmap(Bytes image);

}  // namespace tossbox
