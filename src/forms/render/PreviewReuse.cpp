#include "forms/render/PreviewReuse.h"

#include "forms/picture/ImageFileSource.h"
#include "forms/picture/JpegPictureSource.h"
#include "forms/picture/MetafilePictureSource.h"
#include "forms/picture/PictureControl.h"
#include "forms/render/JpegShow.h"
#include "forms/render/RenderImage.h"
#include "forms/render/RenderTarget.h"
#include "platform/picture/MetafileImage.h"

namespace tossbox {

namespace {

bool decodeFullSize(RenderServices& services, const RenderArgs& args, const Picture& preview,
                    const JpegPictureSource& jpeg) {
  JpegDecodeOptions options;
  options.dct = JpegDct::Accurate;
  options.pixels = jpegPixelsFor(services);
  options.showEachScan = jpeg.header().multiScan;
  return decodeJpegInto(args.target, jpeg.bytes(), options, preview.source(), services);
}

}  // namespace

bool reusePreviewPicture(RenderServices& services, const RenderArgs& args) {
  if (services.preview == nullptr) return false;
  const Picture preview = services.preview->picture();
  const auto* origin = dynamic_cast<const PictureOrigin*>(preview.source().get());
  if (origin == nullptr || origin->path() != args.path) return false;
  const ShownFileInfo& facts = origin->facts();
  if (facts.width <= 0 || facts.height <= 0) return false;
  // The record may since describe a file read for another target.
  storeRecord(services, facts);
  const FitResult fit = fitTarget(args, facts.width, facts.height);
  const auto* jpeg = dynamic_cast<const JpegPictureSource*>(origin);
  const auto* metafile = dynamic_cast<const MetafilePictureSource*>(origin);
  const auto* readerImage = dynamic_cast<const ImageFileSource*>(origin);
  if (readerImage != nullptr) {
    if (!redecodeForLargerTarget(args, *readerImage, fit)) args.target.setPicture(preview);
  } else if (jpeg != nullptr && args.fastDecode == 0) {
    if (!decodeFullSize(services, args, preview, *jpeg)) args.target.setPicture(preview);
  } else if (metafile != nullptr) {
    const QImage image = drawMetafile(metafile->document(), QSize(fit.width, fit.height));
    args.target.setPicture(image.isNull() ? preview : Picture(image, preview.source()));
  } else {
    args.target.setPicture(preview);
  }
  args.target.show();
  return true;
}

}  // namespace tossbox
