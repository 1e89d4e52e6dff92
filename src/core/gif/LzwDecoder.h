#pragma once
// The GIF flavour of LZW: variable-width codes (least significant bit first) with clear and end
// codes and a table of at most 4096 entries.
//
// Every table entry is a string that has already been written to the output, so the table keeps
// where it was written and how long it is, and each code is expanded by copying those bytes.
// No prefix chain is ever walked, so a corrupt table cannot make the decoder loop.
#include <cstddef>
#include <cstdint>
#include <span>

namespace tossbox {

enum class LzwStop {
  EndCode,    // the end code was read
  FrameFull,  // every pixel was written (one more code was then consumed)
  UnderRun,   // the data ran out first
};

struct LzwResult {
  LzwStop stop = LzwStop::EndCode;
  std::size_t written = 0;  // pixels written
  bool underRun = false;    // the data ran out, before the end or for the code after the last pixel
};

class LzwDecoder {
 public:
  static constexpr int kMinCodeSizeLimit = 11;
  static constexpr int kTableSize = 4096;

  // Decodes `data` into `out`, which the caller has zeroed: pixels after a stop keep 0.
  // Raises GIFException("Invalid GIF data") for a minimum code size outside 1..11 (codes are at
  // most 12 bits), for a code that is not in the table, and for a colour index above 255.
  [[nodiscard]] static LzwResult decode(std::span<const std::uint8_t> data, int minCodeSize,
                                        std::span<std::uint8_t> out);
};

}  // namespace tossbox
