#include "forms/render/RenderBitmap.h"

#include "core/files/FileKind.h"
#include "core/picture/BitmapHeader.h"
#include "core/picture/PictureFile.h"
#include "core/picture/ShownFileTexts.h"
#include "forms/picture/PictureControl.h"
#include "forms/picture/PictureOrigin.h"
#include "forms/render/PreviewReuse.h"
#include "forms/render/RenderTarget.h"
#include "platform/picture/PictureReaders.h"

namespace tossbox {

namespace {

constexpr std::int32_t kTransparentFlag = 0x02000000;
constexpr std::int32_t kMonochromeTransparent = 0x02FFFFFF;

// The bottom-left pixel as 0x00BBGGRR, flagged; white for a monochrome bitmap.
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

bool RenderBitmap(RenderServices& services, const RenderArgs& args) {
  if (&args.target != services.preview && reusePreviewPicture(services, args)) return true;
  const auto bytes = readPictureFile(args.path);
  if (!bytes) return false;
  const auto file = parseBitmapFile(*bytes);
  if (!file) return false;
  QImage image = readBmpImage(*bytes);
  if (image.isNull()) return false;
  fitTarget(args, image.width(), image.height());
  ShownFileInfo info = currentRecord(services);
  info.kind = shownKindNumber(FileKind::Bitmap);
  info.width = image.width();
  info.height = image.height();
  info.number = transparentColour(image, file->dib);
  info.format = shown_text::kBitmap;
  info.fileSize = fileByteCount(args.path).value_or(0);
  info.depth = pixelDepthText(dibPixelDepth(file->dib));
  if (args.fastDecode != 0) image = withoutPalette(image);
  args.target.setPicture(Picture(image, std::make_shared<const PictureOrigin>(args.path, info)));
  args.target.show();
  storeRecord(services, info);
  return true;
}

}  // namespace tossbox
