#include "forms/render/BitmapDecode.h"

#include "core/picture/BitmapHeader.h"
#include "platform/picture/PictureReaders.h"

namespace tossbox {

namespace {

constexpr std::int32_t kTransparentFlag = 0x02000000;
constexpr std::int32_t kMonochromeTransparent = 0x02FFFFFF;

std::int32_t transparentColour(const QImage& image, const DibHeader& header) {
  if (header.bitCount == 1) return kMonochromeTransparent;
  const QRgb pixel = image.pixel(0, image.height() - 1);
  return kTransparentFlag | qRed(pixel) | (qGreen(pixel) << 8) | (qBlue(pixel) << 16);
}

// Painting ignores the palette: indexed pictures are kept as direct colour.
QImage withoutPalette(const QImage& image) {
  return image.colorCount() > 0 ? image.convertToFormat(QImage::Format_RGB32) : image;
}

}  // namespace

std::optional<DecodedBitmap> decodeBitmap(std::span<const std::uint8_t> bytes, bool fast) {
  const auto file = parseBitmapFile(bytes);
  if (!file) return std::nullopt;
  QImage image = readBmpImage(bytes);
  if (image.isNull()) return std::nullopt;
  DecodedBitmap decoded;
  decoded.transparentColour = transparentColour(image, file->dib);
  decoded.depth = dibPixelDepth(file->dib);
  decoded.fast = fast;
  decoded.image = fast ? withoutPalette(image) : std::move(image);
  return decoded;
}

}  // namespace tossbox
