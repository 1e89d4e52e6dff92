#pragma once
// Where painters draw: the target canvas (on Qt, the picture control's backing image) and the
// painters' own buffers. All methods run on the user-interface thread.
#include <cstdint>
#include <functional>

#include "core/gif/GifBitmap.h"

namespace tossbox {

class GifCanvas {
 public:
  virtual ~GifCanvas() = default;
  // Stretches a frame onto `dest`, only inside `clip`; with a mask its transparent pixels leave
  // the canvas as it was.
  virtual void drawFrame(const GifFrameBitmap& frame, const GifMask* mask, const GifRect& dest,
                         const GifRect& clip) = 0;
  // Stretches an ARGB bitmap onto `dest`.
  virtual void drawBitmap(const GifBitmap& bitmap, const GifRect& dest) = 0;
  virtual void fillRect(const GifRect& rect, std::uint32_t colour) = 0;
  // The canvas content under `rect`, for a painter's work buffer and saved background.
  [[nodiscard]] virtual GifBitmap copyRect(const GifRect& rect) = 0;
  // The painter has changed `rect`; whoever shows the canvas should repaint it.
  virtual void update(const GifRect& rect) = 0;
  // False once the surface behind the canvas has gone (checked with pfCheckCanvas).
  [[nodiscard]] virtual bool isValid() const { return true; }
};

// A canvas over 32-bit pixels that the derived class exposes.
class GifPixelCanvas : public GifCanvas {
 public:
  void drawFrame(const GifFrameBitmap& frame, const GifMask* mask, const GifRect& dest,
                 const GifRect& clip) override;
  void drawBitmap(const GifBitmap& bitmap, const GifRect& dest) override;
  void fillRect(const GifRect& rect, std::uint32_t colour) override;
  [[nodiscard]] GifBitmap copyRect(const GifRect& rect) override;

 protected:
  [[nodiscard]] virtual GifPixelView pixels() = 0;
};

// A canvas over a GifBitmap: the painters' buffers, the composite bitmap, tools and tests.
class GifBitmapCanvas : public GifPixelCanvas {
 public:
  explicit GifBitmapCanvas(GifBitmap& bitmap, std::function<void(const GifRect&)> onUpdate = {})
      : bitmap_(bitmap), onUpdate_(std::move(onUpdate)) {}

  void update(const GifRect& rect) override {
    if (onUpdate_) onUpdate_(rect);
  }
  [[nodiscard]] GifBitmap& bitmap() { return bitmap_; }

 protected:
  [[nodiscard]] GifPixelView pixels() override { return viewOf(bitmap_); }

 private:
  GifBitmap& bitmap_;
  std::function<void(const GifRect&)> onUpdate_;
};

}  // namespace tossbox
