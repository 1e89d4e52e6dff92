#pragma once
// A picture a picture control shows. Copies are cheap and share what they
// hold: the decoded pixels of a raster picture, and whatever a renderer
// attaches as its own source (the compressed bytes of a JPEG, a metafile's
// records, a GIF image), so other windows can take the preview's picture
// without reading the file again.
#include <QImage>
#include <memory>

namespace tossbox {

class Picture {
 public:
  // What a renderer keeps behind a picture besides its pixels.
  class Source {
   public:
    virtual ~Source() = default;
  };

  Picture() = default;
  explicit Picture(QImage image, std::shared_ptr<const Source> source = {})
      : image_(std::move(image)), source_(std::move(source)) {}

  [[nodiscard]] bool isNull() const { return image_.isNull(); }
  [[nodiscard]] const QImage& image() const { return image_; }
  [[nodiscard]] int width() const { return image_.width(); }
  [[nodiscard]] int height() const { return image_.height(); }
  [[nodiscard]] const std::shared_ptr<const Source>& source() const { return source_; }

 private:
  QImage image_;
  std::shared_ptr<const Source> source_;
};

}  // namespace tossbox
