#include "platform/picture/PictureReaders.h"

#include <QBuffer>
#include <QImageReader>
#include <array>
#include <bit>

#include "core/picture/BitmapHeader.h"

namespace tossbox {

namespace {

using ChannelTable = std::array<std::uint8_t, 256>;

// Qt widens an n-bit channel by shifting it (v << (8 - n)), so the brightest
// 5-bit value comes out 248 instead of white. This maps its result to the
// full range, v * 255 / (2^n - 1).
ChannelTable widening(std::uint32_t mask) {
  ChannelTable table{};
  const int bits = std::popcount(mask);
  for (int c = 0; c < 256; ++c) {
    if (bits <= 0 || bits >= 8) {
      table[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(c);
      continue;
    }
    const int max = (1 << bits) - 1;
    const int v = c >> (8 - bits);
    table[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>((v * 255 + max / 2) / max);
  }
  return table;
}

bool narrowChannels(const DibHeader& h) {
  if (h.bitCount != 16 && h.bitCount != 32) return false;
  for (const std::uint32_t mask : {h.redMask, h.greenMask, h.blueMask}) {
    const int bits = std::popcount(mask);
    if (bits > 0 && bits < 8) return true;
  }
  return false;
}

QImage widenChannels(QImage image, const DibHeader& h) {
  if (!narrowChannels(h)) return image;
  const ChannelTable red = widening(h.redMask);
  const ChannelTable green = widening(h.greenMask);
  const ChannelTable blue = widening(h.blueMask);
  if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32) {
    image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                          : QImage::Format_RGB32);
  }
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = row[x];
      row[x] = qRgba(red[qRed(p)], green[qGreen(p)], blue[qBlue(p)], qAlpha(p));
    }
  }
  return image;
}

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

}  // namespace

QImage readBmpImage(std::span<const std::uint8_t> bytes) {
  QImage image = readFirstImage(bytes, "bmp");
  const auto file = parseBitmapFile(bytes);
  if (image.isNull() || !file) return image;
  return widenChannels(std::move(image), file->dib);
}

QImage readIconImage(std::span<const std::uint8_t> bytes) {
  return readFirstImage(bytes, "ico");
}

}  // namespace tossbox
