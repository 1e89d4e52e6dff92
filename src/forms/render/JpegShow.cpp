#include "forms/render/JpegShow.h"

#include "forms/picture/PictureControl.h"
#include "platform/picture/JpegImageDecoder.h"

namespace tossbox {

namespace {

void tell(RenderServices& services, ProgressStage stage, int percent) {
  if (services.progress) services.progress(stage, percent);
}

}  // namespace

void showDecodedJpeg(PictureControl& target, const QImage& image, const std::vector<int>& percents,
                     const std::shared_ptr<const Picture::Source>& source,
                     RenderServices& services) {
  tell(services, ProgressStage::Starting, 0);
  for (const int percent : percents)
    if (percent < 100) tell(services, ProgressStage::Running, percent);
  tell(services, ProgressStage::Ending, 100);
  target.setPicture(Picture(image, source));
}

JpegPixels jpegPixelsFor(const RenderServices& services) {
  return services.displayDepth <= 8 ? JpegPixels::Indexed8 : JpegPixels::Bgra32;
}

bool decodeJpegInto(PictureControl& target, std::span<const std::uint8_t> data,
                    const JpegDecodeOptions& options,
                    const std::shared_ptr<const Picture::Source>& source,
                    RenderServices& services) {
  const JpegScanShown scanShown = [&](const QImage& picture) {
    target.setPicture(Picture(picture, source));
    if (!options.showEachScan) return;
    target.show();
    target.repaint();
  };
  const JpegProgress progress = [&](int percent) {
    // 100 is told once, with the end.
    if (percent < 100) tell(services, ProgressStage::Running, percent);
  };
  tell(services, ProgressStage::Starting, 0);
  const DecodedJpeg decoded = decodeJpegImage(data, options, scanShown, progress);
  tell(services, ProgressStage::Ending, 100);
  if (decoded.image.isNull()) return false;
  target.setPicture(Picture(decoded.image, source));
  return true;
}

}  // namespace tossbox
