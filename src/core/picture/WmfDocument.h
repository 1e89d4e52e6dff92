#pragma once
// A Windows metafile checked and indexed: the optional placeable header, the
// metafile header, and where each record lies. Parsing refuses a file whose
// header is not a metafile's or whose records run outside the file; the
// player then trusts every record's bounds.
#include <cstdint>
#include <optional>
#include <vector>

#include "core/picture/LittleEndian.h"

namespace tossbox {

struct WmfRecord {
  std::uint32_t offset = 0;  // of the record's first byte (its size field)
  std::uint32_t size = 0;    // in bytes, header included
  std::uint16_t function = 0;
};

struct WmfBox {
  std::int16_t left = 0;
  std::int16_t top = 0;
  std::int16_t right = 0;
  std::int16_t bottom = 0;
};

class WmfDocument {
 public:
  [[nodiscard]] static std::optional<WmfDocument> parse(std::vector<std::uint8_t> bytes);

  [[nodiscard]] Bytes bytes() const { return bytes_; }
  [[nodiscard]] const std::vector<WmfRecord>& records() const { return records_; }
  // The parameter bytes of a record (after its 6-byte header).
  [[nodiscard]] Bytes parameters(const WmfRecord& record) const;

  [[nodiscard]] bool placeable() const { return placeable_.has_value(); }
  [[nodiscard]] const std::optional<WmfBox>& placeableBox() const { return placeable_; }
  [[nodiscard]] std::uint16_t unitsPerInch() const { return unitsPerInch_; }
  [[nodiscard]] std::uint16_t objectCount() const { return objectCount_; }

  // Size in pixels: the placeable box at 96 dots per inch, else the first
  // window extent the records set.
  [[nodiscard]] int width() const { return width_; }
  [[nodiscard]] int height() const { return height_; }

 private:
  WmfDocument() = default;
  [[nodiscard]] bool readHeaders();
  [[nodiscard]] bool indexRecords();
  [[nodiscard]] bool measure();

  std::vector<std::uint8_t> bytes_;
  std::vector<WmfRecord> records_;
  std::optional<WmfBox> placeable_;
  std::uint16_t unitsPerInch_ = 0;
  std::uint16_t objectCount_ = 0;
  std::uint32_t recordsStart_ = 0;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace tossbox
