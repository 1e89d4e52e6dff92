#include "core/gif/GifExtensions.h"

#include "core/gif/GifException.h"

namespace tossbox {

void TGIFExtension::read(GifByteReader& reader) {
  if (reader.readFixedByte() != kIntroducer) throw GIFException(gif_text::kInvalidIntroducer);
  if (reader.readFixedByte() != label()) throw GIFException(gif_text::kExtensionMismatch);
  readContent(reader);
}

std::unique_ptr<TGIFExtension> TGIFTextExtension::clone() const {
  return std::make_unique<TGIFTextExtension>(*this);
}

void TGIFTextExtension::readContent(GifByteReader& reader) {
  blockSize = reader.readFixedByte();
  gridLeft = reader.readWord();
  gridTop = reader.readWord();
  gridWidth = reader.readWord();
  gridHeight = reader.readWord();
  cellWidth = reader.readFixedByte();
  cellHeight = reader.readFixedByte();
  foregroundIndex = reader.readFixedByte();
  backgroundIndex = reader.readFixedByte();
  lines = readGifLines(reader);
}

std::unique_ptr<TGIFExtension> TGIFGraphicControlExtension::clone() const {
  return std::make_unique<TGIFGraphicControlExtension>(*this);
}

void TGIFGraphicControlExtension::readContent(GifByteReader& reader) {
  blockSize = reader.readFixedByte();
  packed = reader.readFixedByte();
  delay = reader.readWord();
  transparentIndex = reader.readFixedByte();
  terminator = reader.readFixedByte();
}

std::unique_ptr<TGIFExtension> TGIFCommentExtension::clone() const {
  return std::make_unique<TGIFCommentExtension>(*this);
}

void TGIFCommentExtension::readContent(GifByteReader& reader) {
  lines = readGifLines(reader);
}

void TGIFApplicationExtension::readContent(GifByteReader& reader) {
  blockSize_ = reader.readFixedByte();
  // Only 10 and 11 have a known layout; a longer block could not be told from its data.
  if (blockSize_ < 10 || blockSize_ > 11) {
    throw GIFException(gif_text::kUnsupportedAppBlockSize);
  }
  const auto bytes = reader.readExact(blockSize_);
  identifier_.assign(bytes.begin(), bytes.begin() + 8);
  authentication_.assign(bytes.begin() + 8, bytes.end());
  readData(reader);
}

std::unique_ptr<TGIFExtension> TGIFAppExtNSLoop::clone() const {
  return std::make_unique<TGIFAppExtNSLoop>(*this);
}

void TGIFAppExtNSLoop::readData(GifByteReader& reader) {
  if (reader.readFixedByte() != 3) throw GIFException(gif_text::kInvalidData);
  if (reader.readFixedByte() != 1) throw GIFException(gif_text::kInvalidData);
  loops = reader.readWord();
  if (reader.readFixedByte() != 0) throw GIFException(gif_text::kInvalidData);
}

std::unique_ptr<TGIFExtension> TGIFUnknownAppExtension::clone() const {
  return std::make_unique<TGIFUnknownAppExtension>(*this);
}

void TGIFUnknownAppExtension::readData(GifByteReader& reader) {
  blocks = readGifBlocks(reader);
}

}  // namespace tossbox
