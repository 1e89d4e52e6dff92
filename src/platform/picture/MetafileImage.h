#pragma once
// A metafile drawn into a picture of a given size, on white like a page.
#include <QImage>
#include <QSize>

#include "core/picture/WmfDocument.h"

namespace tossbox {

[[nodiscard]] QImage drawMetafile(const WmfDocument& document, QSize size);

}  // namespace tossbox
