#include "core/picture/IconDirectory.h"
#include "core/picture/IconImage.h"
#include "entries/FuzzCheck.h"
#include "entries/FuzzEntries.h"

namespace tossbox::fuzz {

namespace {

void decodeChecked(Bytes image) {
  if (iconImageIsPng(image)) return;
  const auto pixels = decodeIconBitmap(image);
  if (!pixels) return;
  fuzzCheck(pixels->width > 0 && pixels->height > 0, "a decoded icon image has a size");
  fuzzCheck(pixels->argb.size() == std::size_t(pixels->width) * std::size_t(pixels->height),
            "a decoded icon image holds width x height words");
}

}  // namespace

// An icon file's directory and first image; bytes that are no icon file are tried as one
// image, since the image decoder gets whatever bytes a directory points at.
int fuzzIconReader(const std::uint8_t* data, std::size_t size) {
  const Bytes file(data, size);
  const auto directory = parseIconDirectory(file);
  if (!directory) {
    decodeChecked(file);
    return 0;
  }
  const IconEntry& first = directory->first;
  fuzzCheck(fits(file, first.offset, first.size), "an icon's first image lies in the file");
  decodeChecked(file.subspan(first.offset, first.size));
  return 0;
}

}  // namespace tossbox::fuzz
