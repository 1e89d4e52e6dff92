#include "platform/picture/ImageFileReader.h"

#include <QBuffer>
#include <QImageReader>
#include <QPixelFormat>
#include <algorithm>

#include "core/picture/DibPixels.h"

namespace tossbox {

namespace {

constexpr int kFallbackDelayMs = 100;
constexpr int kShortestDelayMs = 40;
// Qt's own allocation limit, in megabytes, set to the same budget in case a plugin ignores the
// size check below: a frame of kMaxDecodedPixels 32-bit pixels.
constexpr int kAllocationLimitMb = static_cast<int>(kMaxDecodedPixels * 4 / (1024 * 1024));

// The reader over bytes that outlive it; the buffer is opened on the caller's data without a copy.
class BytesReader {
 public:
  BytesReader(std::span<const std::uint8_t> bytes, const char* format)
      : data_(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                      static_cast<qsizetype>(bytes.size()))) {
    buffer_.setData(data_);
    buffer_.open(QIODevice::ReadOnly);
    reader_.setDevice(&buffer_);
    reader_.setFormat(format);
    reader_.setDecideFormatFromContent(false);
    reader_.setAllocationLimit(kAllocationLimitMb);
  }
  BytesReader(const BytesReader&) = delete;
  BytesReader& operator=(const BytesReader&) = delete;

  QImageReader& reader() { return reader_; }

 private:
  QByteArray data_;
  QBuffer buffer_;
  QImageReader reader_;
};

std::uint64_t pixelsOf(QSize size) {
  return static_cast<std::uint64_t>(size.width()) * static_cast<std::uint64_t>(size.height());
}

std::optional<ImageFileFacts> factsOf(QImageReader& reader) {
  if (!reader.canRead()) return std::nullopt;
  const QSize size = reader.size();
  if (size.width() <= 0 || size.height() <= 0 || pixelsOf(size) > kMaxDecodedPixels)
    return std::nullopt;
  ImageFileFacts facts;
  facts.width = size.width();
  facts.height = size.height();
  const QPixelFormat pixels = QImage::toPixelFormat(reader.imageFormat());
  // An opaque picture decoded into 32-bit words holds 24 bits of colour.
  facts.depthBits = pixels.bitsPerPixel() == 32 && pixels.alphaUsage() == QPixelFormat::IgnoresAlpha
                        ? 24
                        : pixels.bitsPerPixel();
  facts.animated = reader.supportsAnimation() && reader.imageCount() > 1;
  facts.frameCount = facts.animated ? reader.imageCount() : 1;
  facts.loopCount = reader.loopCount();
  return facts;
}

}  // namespace

int shownFrameDelay(int fileDelayMs) {
  if (fileDelayMs <= 0) return kFallbackDelayMs;
  return std::max(fileDelayMs, kShortestDelayMs);
}

std::optional<ImageFileFacts> readImageFacts(std::span<const std::uint8_t> bytes,
                                             const char* format) {
  BytesReader source(bytes, format);
  return factsOf(source.reader());
}

std::optional<ImageFrames> readImageFrames(std::span<const std::uint8_t> bytes, const char* format,
                                           QSize shownSize) {
  BytesReader source(bytes, format);
  QImageReader& reader = source.reader();
  const std::optional<ImageFileFacts> facts = factsOf(reader);
  if (!facts) return std::nullopt;
  const QSize full(facts->width, facts->height);
  const bool scaled = shownSize.isValid() && !shownSize.isEmpty() &&
                      shownSize.width() <= full.width() && shownSize.height() <= full.height() &&
                      shownSize != full;
  const QSize decoded = scaled ? shownSize : full;
  ImageFrames result;
  result.facts = *facts;
  std::uint64_t budget = kMaxDecodedPixels;
  for (int frame = 0; frame < facts->frameCount; ++frame) {
    if (pixelsOf(decoded) > budget) return std::nullopt;
    budget -= pixelsOf(decoded);
    if (scaled) reader.setScaledSize(decoded);
    QImage image = reader.read();
    if (image.isNull()) return std::nullopt;
    // A frame of another size than the first would not fit the fitted control.
    if (image.size() != decoded) image = image.scaled(decoded);
    if (image.isNull()) return std::nullopt;
    result.frames.push_back(std::move(image));
    result.delaysMs.push_back(shownFrameDelay(reader.nextImageDelay()));
  }
  return result;
}

}  // namespace tossbox
