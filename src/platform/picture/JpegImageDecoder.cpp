#include "platform/picture/JpegImageDecoder.h"

namespace tossbox {

namespace {

// Where the decoder's rows land: the bits of one QImage, taken before the
// image is first shared so that later scans write in place instead of
// detaching a copy.
class ImageSink : public JpegPixelSink {
 public:
  ImageSink(const JpegScanShown& scanShown, const JpegProgress& progress)
      : scanShown_(scanShown), progress_(progress) {}

  std::uint8_t* allocate(int width, int height, JpegPixels pixels,
                         std::size_t& bytesPerLine) override {
    const bool indexed = pixels == JpegPixels::Indexed8;
    image_ = QImage(width, height, indexed ? QImage::Format_Indexed8 : QImage::Format_RGB32);
    if (image_.isNull()) return nullptr;
    if (indexed) {
      image_.setColorTable({qRgb(128, 128, 128)});
      image_.fill(0);
    } else {
      image_.fill(qRgb(128, 128, 128));
    }
    bytesPerLine = static_cast<std::size_t>(image_.bytesPerLine());
    return image_.bits();
  }

  void setColourMap(std::span<const JpegRgb> colours) override {
    QList<QRgb> table;
    table.reserve(static_cast<qsizetype>(colours.size()));
    for (const JpegRgb& c : colours) table.push_back(qRgb(c.red, c.green, c.blue));
    if (table.isEmpty()) table.push_back(qRgb(128, 128, 128));
    image_.setColorTable(table);
  }

  void scanShown() override {
    if (scanShown_) scanShown_(image_);
  }

  void progress(int percent) override {
    if (progress_) progress_(percent);
  }

  [[nodiscard]] QImage take() { return std::move(image_); }

 private:
  const JpegScanShown& scanShown_;
  const JpegProgress& progress_;
  QImage image_;
};

}  // namespace

DecodedJpeg decodeJpegImage(std::span<const std::uint8_t> data, const JpegDecodeOptions& options,
                            const JpegScanShown& scanShown, const JpegProgress& progress) {
  ImageSink sink(scanShown, progress);
  DecodedJpeg decoded;
  decoded.result = decodeJpeg(data, options, sink);
  if (decoded.result.outcome != JpegOutcome::Failed) decoded.image = sink.take();
  return decoded;
}

}  // namespace tossbox
