#include "core/picture/BitmapHeader.h"
#include "core/picture/DibPixels.h"
#include "entries/FuzzCheck.h"
#include "entries/FuzzEntries.h"

namespace tossbox::fuzz {

namespace {

void decodeChecked(const DibHeader& header, Bytes colourTable, Bytes bits) {
  if (!dibPixelsDecodable(header)) return;
  const auto pixels = decodeDibPixels(header, colourTable, bits);
  if (!pixels) return;
  fuzzCheck(pixels->width == header.width && pixels->height == header.height,
            "decoded DIB pixels have the header's size");
  fuzzCheck(pixels->argb.size() == std::size_t(pixels->width) * std::size_t(pixels->height),
            "decoded DIB pixels hold width x height words");
}

// A "BM" file, as the picture renderer reads it.
void readFile(Bytes file) {
  const auto bitmap = parseBitmapFile(file);
  if (!bitmap) return;
  const std::uint64_t tableAt = kBitmapFileHeaderSize + dibColourTableOffset(bitmap->dib);
  const std::uint64_t tableBytes = dibColourTableBytes(bitmap->dib);
  fuzzCheck(fits(file, tableAt, tableBytes), "a parsed BMP's colour table lies in the file");
  fuzzCheck(bitmap->bitsOffset <= file.size(), "a parsed BMP's bits start in the file");
  decodeChecked(bitmap->dib, file.subspan(tableAt, tableBytes), file.subspan(bitmap->bitsOffset));
}

// A packed DIB, as a metafile record carries it.
void readPackedDib(Bytes dib) {
  const auto header = parseDibHeader(dib);
  if (!header) return;
  const std::uint64_t tableAt = dibColourTableOffset(*header);
  const std::uint64_t tableBytes = dibColourTableBytes(*header);
  fuzzCheck(fits(dib, tableAt, tableBytes), "a parsed DIB's colour table lies in its bytes");
  decodeChecked(*header, dib.subspan(tableAt, tableBytes), dib.subspan(tableAt + tableBytes));
}

}  // namespace

int fuzzBitmapReader(const std::uint8_t* data, std::size_t size) {
  const Bytes bytes(data, size);
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
    readFile(bytes);
  } else {
    readPackedDib(bytes);
  }
  return 0;
}

}  // namespace tossbox::fuzz
