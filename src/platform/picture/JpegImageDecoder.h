#pragma once
// Decodes a JPEG into a QImage through the core driver. Each finished scan is
// handed out as the picture so far; the image handed out is the one being
// decoded into, so a control that shows it sees the later scans as they come.
#include <QImage>
#include <functional>

#include "core/picture/JpegDecoder.h"

namespace tossbox {

struct DecodedJpeg {
  QImage image;  // null when the decode failed
  JpegDecodeResult result;
};

using JpegScanShown = std::function<void(const QImage& picture)>;
using JpegProgress = std::function<void(int percent)>;

[[nodiscard]] DecodedJpeg decodeJpegImage(std::span<const std::uint8_t> data,
                                          const JpegDecodeOptions& options,
                                          const JpegScanShown& scanShown = {},
                                          const JpegProgress& progress = {});

}  // namespace tossbox
