#pragma once
// A JPEG picture's compressed bytes, shared by every copy of the picture, so
// a target that needs another size decodes them again without the file.
#include <cstdint>
#include <memory>
#include <vector>

#include "core/picture/JpegDecoder.h"
#include "forms/picture/PictureOrigin.h"

namespace tossbox {

class JpegPictureSource : public PictureOrigin {
 public:
  JpegPictureSource(std::string path, ShownFileInfo facts,
                    std::shared_ptr<const std::vector<std::uint8_t>> bytes, JpegHeaderFacts header)
      : PictureOrigin(std::move(path), std::move(facts)),
        bytes_(std::move(bytes)),
        header_(header) {}

  [[nodiscard]] const std::vector<std::uint8_t>& bytes() const { return *bytes_; }
  [[nodiscard]] const JpegHeaderFacts& header() const { return header_; }

 private:
  std::shared_ptr<const std::vector<std::uint8_t>> bytes_;
  JpegHeaderFacts header_;
};

}  // namespace tossbox
