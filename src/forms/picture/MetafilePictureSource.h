#pragma once
// A metafile picture's records, shared by every copy of the picture, so each
// target draws them afresh at its own size.
#include <memory>

#include "core/picture/WmfDocument.h"
#include "forms/picture/PictureOrigin.h"

namespace tossbox {

class MetafilePictureSource : public PictureOrigin {
 public:
  MetafilePictureSource(std::string path, ShownFileInfo facts,
                        std::shared_ptr<const WmfDocument> document)
      : PictureOrigin(std::move(path), std::move(facts)), document_(std::move(document)) {}

  [[nodiscard]] const WmfDocument& document() const { return *document_; }

 private:
  std::shared_ptr<const WmfDocument> document_;
};

}  // namespace tossbox
