#pragma once
// A GIF picture as the renderer read it: the decoded image, shared read-only
// by every copy of the picture, and the caller its painters draw through.
// Nobody draws this image itself: a control that shows an animated GIF plays
// a copy of its own (GifPlayback), so each target animates independently and
// stops on its own. The picture's pixels are frame 0 as a still, which is all
// a one-frame GIF ever shows.
#include <QImage>
#include <memory>
#include <string>

#include "core/gif/GifImage.h"
#include "core/gif/GifUiThreadCaller.h"
#include "forms/picture/PictureOrigin.h"

namespace tossbox {

class GifPictureSource : public PictureOrigin {
 public:
  GifPictureSource(std::string path, ShownFileInfo facts, std::shared_ptr<const TGIFImage> image,
                   std::shared_ptr<UiThreadCaller> uiThread)
      : PictureOrigin(std::move(path), std::move(facts)),
        image_(std::move(image)),
        uiThread_(std::move(uiThread)) {}

  [[nodiscard]] const TGIFImage& image() const { return *image_; }
  [[nodiscard]] const std::shared_ptr<UiThreadCaller>& uiThread() const { return uiThread_; }
  [[nodiscard]] bool animated() const { return image_->frameCount() > 1; }

 private:
  std::shared_ptr<const TGIFImage> image_;
  std::shared_ptr<UiThreadCaller> uiThread_;
};

// Frame 0 of `image` as it is drawn: transparent pixels left transparent, on
// the logical screen's size (scaled down, side ratio kept, when that would
// exceed the pixels a control shows). Null when it cannot be allocated.
[[nodiscard]] QImage drawGifStill(const TGIFImage& image);

}  // namespace tossbox
