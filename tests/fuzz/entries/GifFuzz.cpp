#include <algorithm>
#include <memory>

#include "core/gif/GifException.h"
#include "core/gif/GifImage.h"
#include "entries/FuzzCheck.h"
#include "entries/FuzzEntries.h"

namespace tossbox::fuzz {

namespace {

// Frame delays pass at once, so an animation plays through inside the draw call.
class InstantClock : public GifClock {
 public:
  GifTime now() override { return now_; }
  bool waitUntil(GifTime deadline, GifStopEvent& stop) override {
    now_ = std::max(now_, deadline);
    return stop.isSet();
  }
  void yield() override {}

 private:
  GifTime now_{};
};

constexpr int kCanvasSide = 48;

void checkFrames(const TGIFImage& image) {
  for (int i = 0; i < image.frameCount(); ++i) {
    const auto& frame = image.frame(i);
    const std::size_t pixels =
        frame.empty() ? 0 : std::size_t(frame.width()) * std::size_t(frame.height());
    fuzzCheck(frame.pixels().size() == pixels, "a GIF frame holds width x height pixels");
    if (frame.empty()) continue;
    (void)frame.bitmap();
    (void)frame.mask();
  }
}

}  // namespace

int fuzzGifReader(const std::uint8_t* data, std::size_t size) {
  TGIFImage image(PaintFlag::pfAnimate | PaintFlag::pfTransparent);
  try {
    image.loadFromMemory({data, size});
  } catch (const GIFException&) {
    fuzzCheck(image.empty(), "a GIF that fails to load leaves the image empty");
    return 0;
  }
  checkFrames(image);
  (void)image.version();
  (void)image.colorResolution();
  (void)image.loopCount();
  const int width = std::min(image.width(), kCanvasSide);
  const int height = std::min(image.height(), kCanvasSide);
  if (image.empty() || width <= 0 || height <= 0) return 0;
  image.setClock(std::make_shared<InstantClock>());
  GifBitmap target(width, height);
  GifBitmapCanvas canvas(target);
  image.draw(canvas, {0, 0, width, height});
  image.StopPaint();
  // The composite is the size of the logical screen: only for screens a viewer would show.
  if (std::uint64_t(image.width()) * std::uint64_t(image.height()) <= (1u << 20)) {
    (void)image.CompositeBitmap();
  }
  return 0;
}

}  // namespace tossbox::fuzz
