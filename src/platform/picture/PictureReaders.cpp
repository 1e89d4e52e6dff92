#include "platform/picture/PictureReaders.h"

#include <QBuffer>
#include <QImageReader>
#include <cstring>

#include "core/picture/BitmapHeader.h"
#include "core/picture/DibPixels.h"
#include "core/picture/IconDirectory.h"
#include "core/picture/IconImage.h"
#include "core/picture/InfoHeaderCopy.h"

namespace tossbox {

namespace {

QImage readFirstImage(std::span<const std::uint8_t> bytes, const char* format) {
  const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                  static_cast<qsizetype>(bytes.size()));
  QBuffer buffer;
  buffer.setData(data);
  if (!buffer.open(QIODevice::ReadOnly)) return {};
  QImageReader reader(&buffer, format);
  reader.setDecideFormatFromContent(false);
  return reader.read();
}

QImage imageOf(const DibPixels& pixels) {
  QImage image(pixels.width, pixels.height,
               pixels.hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (image.isNull()) return image;
  const std::size_t rowBytes = static_cast<std::size_t>(pixels.width) * sizeof(std::uint32_t);
  for (int y = 0; y < pixels.height; ++y) {
    std::memcpy(image.scanLine(y), pixels.argb.data() + static_cast<std::size_t>(y) * pixels.width,
                rowBytes);
  }
  return image;
}

// The info header sizes Qt's reader knows; others are rewritten for it.
bool qtReadsHeaderSize(std::uint32_t size) {
  return size == 12 || size == 40 || size == 64 || size == 108 || size == 124;
}

// Qt's reader scales a channel by shifting it, so narrow channels (a one-bit
// alpha among them) fall short of full and masks wider than eight bits come
// out dark: direct-colour pixels are read here.
bool hasDirectColour(const DibHeader& h) {
  return (h.bitCount == 16 || h.bitCount == 32) && dibPixelsDecodable(h);
}

QImage readDirectColour(std::span<const std::uint8_t> bytes, const BitmapFile& file) {
  const auto pixels = decodeDibPixels(file.dib, {}, Bytes(bytes).subspan(file.bitsOffset));
  return pixels ? imageOf(*pixels) : QImage();
}

}  // namespace

QImage readBmpImage(std::span<const std::uint8_t> bytes) {
  const auto file = parseBitmapFile(bytes);
  if (!file) return readFirstImage(bytes, "bmp");
  if (hasDirectColour(file->dib)) return readDirectColour(bytes, *file);
  if (!qtReadsHeaderSize(file->dib.headerSize)) {
    const auto copy = withInfoHeader(bytes, *file);
    return copy ? readFirstImage(*copy, "bmp") : QImage();
  }
  return readFirstImage(bytes, "bmp");
}

QImage readIconImage(std::span<const std::uint8_t> bytes) {
  const auto directory = parseIconDirectory(bytes);
  if (!directory) return {};
  const Bytes image = Bytes(bytes).subspan(directory->first.offset, directory->first.size);
  if (iconImageIsPng(image)) return readFirstImage(image, "png");
  const auto pixels = decodeIconBitmap(image);
  return pixels ? imageOf(*pixels) : QImage();
}

}  // namespace tossbox
