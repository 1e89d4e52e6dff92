#include "core/picture/ViewerGeometry.h"

namespace tossbox {

namespace {

constexpr int kTextWidth = 400;
constexpr int kTextHeight = 300;

}  // namespace

ViewerRect centredOnScreen(const ScreenArea& screen, int width, int height) {
  return {screen.left + (screen.width - width) / 2, screen.top + (screen.height - height) / 2,
          width, height};
}

ViewerPictureGeometry viewerPictureGeometry(int imageWidth, int imageHeight,
                                            const ScreenArea& screen, bool centre, int left,
                                            int top) {
  const int width = imageWidth + 2 * kViewerBorder;
  const int height = imageHeight + kViewerTitleHeight + 2 * kViewerBorder;
  const ViewerRect image{0, kViewerTitleHeight, imageWidth, imageHeight};
  if (centre) return {image, centredOnScreen(screen, width, height)};
  return {image, {left, top, width, height}};
}

ViewerRect viewerTextGeometry(int mode, const ScreenArea& screen) {
  if (mode == 1) return {screen.left, screen.top, screen.width, screen.height};
  return centredOnScreen(screen, kTextWidth, kTextHeight);
}

}  // namespace tossbox
