#pragma once
// Which class reads an extension: by its label (TExtensionList) and, for application extensions,
// by the 11-byte identifier and authentication code (TAppExtensionList). Both tables are fixed
// when the program is built.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/gif/GifByteReader.h"
#include "core/gif/GifExtensions.h"

namespace tossbox {

using GifExtensionFactory = std::unique_ptr<TGIFExtension> (*)();

class TExtensionList {
 public:
  struct Entry {
    std::uint8_t label;
    GifExtensionFactory make;
  };

  [[nodiscard]] static const TExtensionList& standard();
  [[nodiscard]] const Entry* find(std::uint8_t label) const;

 private:
  explicit TExtensionList(std::vector<Entry> entries) : entries_(std::move(entries)) {}
  std::vector<Entry> entries_;
};

class TAppExtensionList {
 public:
  struct Entry {
    std::string_view identifier;  // 8 characters and the 3-character authentication code
    GifExtensionFactory make;
  };

  [[nodiscard]] static const TAppExtensionList& standard();
  // The class registered for an 11-byte identifier, or TGIFUnknownAppExtension.
  [[nodiscard]] GifExtensionFactory find(std::span<const std::uint8_t> identifier) const;

 private:
  explicit TAppExtensionList(std::vector<Entry> entries) : entries_(std::move(entries)) {}
  std::vector<Entry> entries_;
};

// Looks at the extension starting at the reader's position (its introducer) and makes the object
// that reads it, leaving the reader where it was. Raises "Unknown extension type" for a label no
// class reads, "Unsupported Application Extension block size" for an application block size
// other than 10 or 11, and "Premature end of data" when the bytes to look at are missing.
[[nodiscard]] std::unique_ptr<TGIFExtension> makeGifExtension(GifByteReader& reader);

}  // namespace tossbox
