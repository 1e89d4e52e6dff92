#include "core/gif/GifCanvas.h"

namespace tossbox {

void GifPixelCanvas::drawFrame(const GifFrameBitmap& frame, const GifMask* mask,
                               const GifRect& dest, const GifRect& clip) {
  drawFrameBitmap(pixels(), frame, mask, dest, clip);
}

void GifPixelCanvas::drawBitmap(const GifBitmap& bitmap, const GifRect& dest) {
  const GifPixelView view = pixels();
  tossbox::drawBitmap(view, bitmap, dest, view.bounds());
}

void GifPixelCanvas::fillRect(const GifRect& rect, std::uint32_t colour) {
  tossbox::fillRect(pixels(), rect, colour);
}

GifBitmap GifPixelCanvas::copyRect(const GifRect& rect) {
  return tossbox::copyRect(pixels(), rect);
}

}  // namespace tossbox
