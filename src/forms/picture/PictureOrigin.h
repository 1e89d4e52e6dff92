#pragma once
// What a renderer attaches to the picture it read from a file: the file's
// path and the facts recorded for it. Other targets reuse the preview's
// picture only when it came from the path they are asked to show.
#include <string>
#include <utility>

#include "core/picture/ShownFileInfo.h"
#include "forms/picture/Picture.h"

namespace tossbox {

class PictureOrigin : public Picture::Source {
 public:
  PictureOrigin(std::string path, ShownFileInfo facts)
      : path_(std::move(path)), facts_(std::move(facts)) {}

  [[nodiscard]] const std::string& path() const { return path_; }
  [[nodiscard]] const ShownFileInfo& facts() const { return facts_; }

 private:
  std::string path_;
  ShownFileInfo facts_;
};

}  // namespace tossbox
