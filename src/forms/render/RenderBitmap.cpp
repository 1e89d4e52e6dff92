#include "forms/render/RenderBitmap.h"

#include "core/files/FileKind.h"
#include "core/picture/PictureFile.h"
#include "core/picture/ShownFileTexts.h"
#include "forms/picture/PictureControl.h"
#include "forms/picture/PictureOrigin.h"
#include "forms/render/BitmapDecode.h"
#include "forms/render/PrefetchedEntry.h"
#include "forms/render/PreviewReuse.h"
#include "forms/render/RenderTarget.h"

namespace tossbox {

namespace {

void show(RenderServices& services, const RenderArgs& args, const DecodedBitmap& bitmap) {
  const QImage& image = bitmap.image;
  fitTarget(args, image.width(), image.height());
  ShownFileInfo info = currentRecord(services);
  info.kind = shownKindNumber(FileKind::Bitmap);
  info.width = image.width();
  info.height = image.height();
  info.number = bitmap.transparentColour;
  info.format = shown_text::kBitmap;
  info.fileSize = fileByteCount(args.path).value_or(0);
  info.depth = pixelDepthText(bitmap.depth);
  args.target.setPicture(Picture(image, std::make_shared<const PictureOrigin>(args.path, info)));
  args.target.show();
  storeRecord(services, info);
}

}  // namespace

bool RenderBitmap(RenderServices& services, const RenderArgs& args) {
  if (&args.target != services.preview && reusePreviewPicture(services, args)) return true;
  const bool fast = args.fastDecode != 0;
  if (const auto ready = prefetchedFor<DecodedBitmap>(services, args);
      ready && ready->fast == fast) {
    show(services, args, *ready);
    return true;
  }
  const auto bytes = readPictureFile(args.path);
  if (!bytes) return false;
  const std::optional<DecodedBitmap> bitmap = decodeBitmap(*bytes, fast);
  if (!bitmap) return false;
  show(services, args, *bitmap);
  return true;
}

}  // namespace tossbox
