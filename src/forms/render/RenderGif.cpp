#include "forms/render/RenderGif.h"

#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "core/files/FileKind.h"
#include "core/gif/GifImage.h"
#include "core/picture/PictureFile.h"
#include "core/picture/PixelDepth.h"
#include "forms/picture/GifPictureSource.h"
#include "forms/picture/PictureControl.h"
#include "forms/render/PreviewReuse.h"
#include "forms/render/RenderTarget.h"
#include "platform/gif/QtUiThreadCaller.h"

namespace tossbox {

namespace {

constexpr std::string_view kStillFormat = "CompServe GIF";
constexpr std::string_view kAnimationFormat = "GIF ｱﾆﾒｰｼｮﾝ";
constexpr std::string_view kColourSuffix = "色";

// Renderers run on the GUI thread, so this is made there.
std::shared_ptr<UiThreadCaller> gifUiThread(RenderServices& services) {
  if (!services.gifUiThread) services.gifUiThread = std::make_shared<QtUiThreadCaller>();
  return services.gifUiThread;
}

ProgressStage progressStage(GifProgressStage stage) {
  switch (stage) {
    case GifProgressStage::Starting:
      return ProgressStage::Starting;
    case GifProgressStage::Running:
      return ProgressStage::Running;
    case GifProgressStage::Ending:
      break;
  }
  return ProgressStage::Ending;
}

PixelDepth pixelDepth(const GifBitmap* bitmap) {
  if (bitmap == nullptr) return PixelDepth::Device;
  switch (bitmap->depth) {
    case GifPixelDepth::Device:
      return PixelDepth::Device;
    case GifPixelDepth::Bits1:
      return PixelDepth::Bit1;
    case GifPixelDepth::Bits4:
      return PixelDepth::Bit4;
    case GifPixelDepth::Bits8:
      return PixelDepth::Bit8;
    case GifPixelDepth::Bits15:
      return PixelDepth::Bit15;
    case GifPixelDepth::Bits16:
      return PixelDepth::Bit16;
    case GifPixelDepth::Bits24:
      return PixelDepth::Bit24;
    case GifPixelDepth::Bits32:
      return PixelDepth::Bit32;
    case GifPixelDepth::Custom:
      break;
  }
  return PixelDepth::Custom;
}

// The file as a GIF image that draws its frames straight onto the canvas it
// is given, or null when it is no GIF the controls can show. The file is read
// the way the other pictures are: regular files only, and no larger than any
// picture the program shows.
std::unique_ptr<TGIFImage> load(RenderServices& services, const std::string& path) {
  const auto bytes = readPictureFile(path);
  if (!bytes) return nullptr;
  auto loader = std::make_unique<TGIFImage>(DefaultPaintFlags.with(PaintFlag::pfDirect));
  loader->setOnProgress(
      [&services](GifProgressStage stage, int percent, bool, const GifRect&, std::string_view) {
        if (services.progress) services.progress(progressStage(stage), percent);
      });
  try {
    loader->loadFromMemory(*bytes);
  } catch (const std::exception&) {
    return nullptr;
  }
  // The image outlives this call in the pictures made from it.
  loader->setOnProgress({});
  if (loader->frameCount() == 0 || loader->width() <= 0 || loader->height() <= 0) return nullptr;
  return loader;
}

ShownFileInfo factsOf(const RenderServices& services, const std::string& path, TGIFImage& gif) {
  ShownFileInfo info = currentRecord(services);
  info.kind = shownKindNumber(FileKind::Gif);
  info.width = gif.width();
  info.height = gif.height();
  info.number = gif.frameCount();
  info.version = gif.version() == GifVersion::GIF87a ? "87a" : "89a";
  info.colour = std::to_string(gif.colorResolution()) + std::string(kColourSuffix);
  info.fileSize = fileByteCount(path).value_or(0);
  info.format = gif.frameCount() < 2 ? kStillFormat : kAnimationFormat;
  info.depth = pixelDepthText(pixelDepth(gif.CompositeBitmap()));
  // Stopping the (never started) painters drops the composite bitmap, needed only for its depth.
  gif.StopPaint();
  return info;
}

}  // namespace

bool RenderGif(RenderServices& services, const RenderArgs& args) {
  if (&args.target != services.preview && reusePreviewPicture(services, args)) return true;
  std::unique_ptr<TGIFImage> loader = load(services, args.path);
  if (!loader) return false;
  try {
    const ShownFileInfo info = factsOf(services, args.path, *loader);
    const QImage still = drawGifStill(*loader);
    if (still.isNull()) return false;
    // Every control showing the picture plays its own copy of this image.
    const std::shared_ptr<const TGIFImage> image = std::move(loader);
    args.target.setPicture(Picture(still, std::make_shared<const GifPictureSource>(
                                              args.path, info, image, gifUiThread(services))));
    fitTarget(args, info.width, info.height);
    storeRecord(services, info);
  } catch (const std::exception&) {
    return false;
  }
  args.target.show();
  return true;
}

}  // namespace tossbox
