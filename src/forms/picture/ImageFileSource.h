#pragma once
// A PNG, WebP or TIFF picture as the image readers decoded it: its frames, shared read-only by
// every copy of the picture, and the format it was read with, so a larger target can decode
// the file again at its own size. A control showing an animated one plays the frames itself
// (FramePlayback); the picture's pixels are the first frame.
#include <memory>
#include <string>

#include "forms/picture/PictureOrigin.h"
#include "platform/picture/ImageFileReader.h"

namespace tossbox {

class ImageFileSource : public PictureOrigin {
 public:
  ImageFileSource(std::string path, ShownFileInfo facts, std::shared_ptr<const ImageFrames> frames,
                  const char* format)
      : PictureOrigin(std::move(path), std::move(facts)),
        frames_(std::move(frames)),
        format_(format) {}

  [[nodiscard]] const ImageFrames& frames() const { return *frames_; }
  [[nodiscard]] const std::shared_ptr<const ImageFrames>& sharedFrames() const { return frames_; }
  [[nodiscard]] const char* format() const { return format_; }
  [[nodiscard]] bool animated() const { return frames_->frames.size() > 1; }

 private:
  std::shared_ptr<const ImageFrames> frames_;
  const char* format_;
};

}  // namespace tossbox
