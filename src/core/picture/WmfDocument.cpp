#include "core/picture/WmfDocument.h"

#include <cstdlib>

#include "core/picture/WmfRecords.h"

namespace tossbox {

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableSize = 22;
constexpr std::size_t kHeaderSize = 18;
constexpr std::size_t kRecordHeaderSize = 6;
constexpr int kScreenDpi = 96;
// Larger pictures than this are refused: no box the program fits into needs
// more, and the sizes feed the fitting arithmetic.
constexpr int kMaxPixels = 1 << 20;

int pixelsOf(int units, int unitsPerInch) {
  const long long scaled =
      (static_cast<long long>(std::abs(units)) * kScreenDpi + unitsPerInch / 2) / unitsPerInch;
  return static_cast<int>(scaled);
}

}  // namespace

std::optional<WmfDocument> WmfDocument::parse(std::vector<std::uint8_t> bytes) {
  WmfDocument document;
  document.bytes_ = std::move(bytes);
  if (!document.readHeaders() || !document.indexRecords() || !document.measure()) {
    return std::nullopt;
  }
  return document;
}

Bytes WmfDocument::parameters(const WmfRecord& record) const {
  return Bytes(bytes_).subspan(record.offset + kRecordHeaderSize, record.size - kRecordHeaderSize);
}

bool WmfDocument::readHeaders() {
  const Bytes b(bytes_);
  std::size_t at = 0;
  if (fits(b, 0, 4) && u32At(b, 0) == kPlaceableKey) {
    if (!fits(b, 0, kPlaceableSize)) return false;
    placeable_ = WmfBox{i16At(b, 6), i16At(b, 8), i16At(b, 10), i16At(b, 12)};
    unitsPerInch_ = u16At(b, 14);
    if (unitsPerInch_ == 0) return false;
    at = kPlaceableSize;
  }
  if (!fits(b, at, kHeaderSize)) return false;
  const std::uint16_t type = u16At(b, at);
  const std::uint16_t headerWords = u16At(b, at + 2);
  if ((type != 1 && type != 2) || headerWords != kHeaderSize / 2) return false;
  objectCount_ = u16At(b, at + 14);
  recordsStart_ = static_cast<std::uint32_t>(at + kHeaderSize);
  return true;
}

bool WmfDocument::indexRecords() {
  const Bytes b(bytes_);
  std::uint64_t at = recordsStart_;
  while (at < b.size()) {
    if (!fits(b, at, kRecordHeaderSize)) return false;
    const std::uint64_t size = std::uint64_t{u32At(b, at)} * 2;
    const std::uint16_t function = u16At(b, at + 4);
    if (size < kRecordHeaderSize || !fits(b, at, size)) return false;
    if (function == wmf::kEof) return true;
    records_.push_back(
        {static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(size), function});
    at += size;
  }
  // Some writers end the file without the end record.
  return true;
}

bool WmfDocument::measure() {
  if (placeable_) {
    width_ = pixelsOf(placeable_->right - placeable_->left, unitsPerInch_);
    height_ = pixelsOf(placeable_->bottom - placeable_->top, unitsPerInch_);
  } else {
    for (const WmfRecord& record : records_) {
      const Bytes p = parameters(record);
      if (record.function != wmf::kSetWindowExt || !fits(p, 0, 4)) continue;
      height_ = std::abs(i16At(p, 0));
      width_ = std::abs(i16At(p, 2));
      break;
    }
  }
  return width_ > 0 && height_ > 0 && width_ <= kMaxPixels && height_ <= kMaxPixels;
}

}  // namespace tossbox
