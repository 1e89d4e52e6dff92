#include "forms/render/RenderGif.h"

#include <exception>
#include <memory>
#include <string>

#include "core/files/FileKind.h"
#include "core/picture/PictureFile.h"
#include "forms/picture/GifPictureSource.h"
#include "forms/picture/PictureControl.h"
#include "forms/render/GifDecode.h"
#include "forms/render/PrefetchedEntry.h"
#include "forms/render/PreviewReuse.h"
#include "forms/render/RenderTarget.h"
#include "platform/gif/QtUiThreadCaller.h"

namespace tossbox {

namespace {

// Renderers run on the GUI thread, so this is made there.
std::shared_ptr<UiThreadCaller> gifUiThread(RenderServices& services) {
  if (!services.gifUiThread) services.gifUiThread = std::make_shared<QtUiThreadCaller>();
  return services.gifUiThread;
}

void tell(RenderServices& services, ProgressStage stage, int percent) {
  if (services.progress) services.progress(stage, percent);
}

ShownFileInfo factsOf(const RenderServices& services, const std::string& path,
                      const DecodedGif& gif) {
  ShownFileInfo info = currentRecord(services);
  info.kind = shownKindNumber(FileKind::Gif);
  info.width = gif.width;
  info.height = gif.height;
  info.number = gif.frames;
  info.version = gif.version;
  info.colour = gif.colour;
  info.fileSize = fileByteCount(path).value_or(0);
  info.format = gif.format;
  info.depth = pixelDepthText(gif.depth);
  return info;
}

bool show(RenderServices& services, const RenderArgs& args, const DecodedGif& gif) {
  try {
    const ShownFileInfo info = factsOf(services, args.path, gif);
    // Every control showing the picture plays its own copy of the image.
    args.target.setPicture(
        Picture(gif.still, std::make_shared<const GifPictureSource>(args.path, info, gif.image,
                                                                    gifUiThread(services))));
    fitTarget(args, info.width, info.height);
    storeRecord(services, info);
  } catch (const std::exception&) {
    return false;
  }
  args.target.show();
  return true;
}

// The GIF the prefetch read, its reading told again as it went.
bool showPrefetched(RenderServices& services, const RenderArgs& args) {
  const std::shared_ptr<const PrefetchedGif> ready = prefetchedFor<PrefetchedGif>(services, args);
  if (!ready) return false;
  for (const auto& [stage, percent] : ready->progress) tell(services, stage, percent);
  return show(services, args, ready->gif);
}

}  // namespace

bool RenderGif(RenderServices& services, const RenderArgs& args) {
  if (&args.target != services.preview && reusePreviewPicture(services, args)) return true;
  if (showPrefetched(services, args)) return true;
  // Read the way the other pictures are: regular files only, and no larger than any picture the
  // program shows.
  const auto bytes = readPictureFile(args.path);
  if (!bytes) return false;
  const std::optional<DecodedGif> gif = decodeGif(
      *bytes, [&services](ProgressStage stage, int percent) { tell(services, stage, percent); });
  return gif && show(services, args, *gif);
}

}  // namespace tossbox
