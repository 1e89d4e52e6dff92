#include "forms/render/RenderTarget.h"

#include "forms/picture/PictureControl.h"

namespace tossbox {

FitResult fitTarget(const RenderArgs& args, int pictureWidth, int pictureHeight) {
  const FitResult fit =
      FitRectangle(args.mode, pictureWidth, args.boxHeight, args.boxWidth, pictureHeight);
  args.target.applyFit(fit.height, fit.width, fit.top, fit.left);
  return fit;
}

ShownFileInfo currentRecord(const RenderServices& services) {
  return services.shown != nullptr ? *services.shown : ShownFileInfo{};
}

void storeRecord(RenderServices& services, const ShownFileInfo& info) {
  if (services.shown != nullptr) *services.shown = info;
}

}  // namespace tossbox
