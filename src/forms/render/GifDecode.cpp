#include "forms/render/GifDecode.h"

#include <exception>

#include "forms/picture/GifPictureSource.h"

namespace tossbox {

namespace {

constexpr std::string_view kStillFormat = "CompServe GIF";
constexpr std::string_view kAnimationFormat = "GIF ｱﾆﾒｰｼｮﾝ";
constexpr std::string_view kColourSuffix = "色";

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

std::unique_ptr<TGIFImage> load(std::span<const std::uint8_t> bytes,
                                const GifReadProgress& progress) {
  auto loader = std::make_unique<TGIFImage>(DefaultPaintFlags.with(PaintFlag::pfDirect));
  loader->setOnProgress(
      [&progress](GifProgressStage stage, int percent, bool, const GifRect&, std::string_view) {
        if (progress) progress(progressStage(stage), percent);
      });
  try {
    loader->loadFromMemory(bytes);
  } catch (const std::exception&) {
    return nullptr;
  }
  // The image outlives this call in the pictures made from it.
  loader->setOnProgress({});
  if (loader->frameCount() == 0 || loader->width() <= 0 || loader->height() <= 0) return nullptr;
  return loader;
}

void describe(DecodedGif& decoded, TGIFImage& gif) {
  decoded.width = gif.width();
  decoded.height = gif.height();
  decoded.frames = gif.frameCount();
  decoded.version = gif.version() == GifVersion::GIF87a ? "87a" : "89a";
  decoded.colour = std::to_string(gif.colorResolution()) + std::string(kColourSuffix);
  decoded.format = gif.frameCount() < 2 ? kStillFormat : kAnimationFormat;
  decoded.depth = pixelDepth(gif.CompositeBitmap());
  // Stopping the (never started) painters drops the composite bitmap, needed only for its depth.
  gif.StopPaint();
}

}  // namespace

std::optional<DecodedGif> decodeGif(std::span<const std::uint8_t> bytes,
                                    const GifReadProgress& progress) {
  std::unique_ptr<TGIFImage> loader = load(bytes, progress);
  if (!loader) return std::nullopt;
  DecodedGif decoded;
  try {
    describe(decoded, *loader);
    decoded.still = drawGifStill(*loader);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  if (decoded.still.isNull()) return std::nullopt;
  decoded.image = std::move(loader);
  return decoded;
}

}  // namespace tossbox
