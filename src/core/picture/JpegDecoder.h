#pragma once
// The JPEG driver over libjpeg. It reads the header facts, and decodes at a
// chosen scale and DCT method into rows a sink provides: 32-bit BGRA, or
// 8-bit indices into a colour map for displays of 256 colours. Files of
// several scans are decoded in libjpeg's buffered-image mode, so each
// finished scan can be shown while the rest decodes, and a file with a
// runaway number of scans is stopped at a limit with what has been decoded.
// libjpeg's errors come back here; a bad file is a result, never an exit.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tossbox {

struct JpegHeaderFacts {
  int width = 0;
  int height = 0;
  bool greyscale = false;
  // More than one scan: progressive (or sequential, non-interleaved) files.
  bool multiScan = false;
};

enum class JpegDct { Fast, Accurate };
enum class JpegPixels { Bgra32, Indexed8 };

struct JpegDecodeOptions {
  int scaleDenominator = 1;  // 1, 2, 4 or 8
  JpegDct dct = JpegDct::Accurate;
  JpegPixels pixels = JpegPixels::Bgra32;
  bool showEachScan = false;
  int scanLimit = 100;
  std::uint64_t maxOutputPixels = std::uint64_t{100} * 1000 * 1000;
};

struct JpegRgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};

// Where decoded rows go. Calls come from the decoding thread, between
// libjpeg calls, never from inside libjpeg; they may throw.
class JpegPixelSink {
 public:
  virtual ~JpegPixelSink() = default;
  // Storage for `height` rows of `bytesPerLine` bytes (at least width * 4 for
  // Bgra32, width for Indexed8), already filled with a neutral colour. nullptr
  // when it cannot be had.
  virtual std::uint8_t* allocate(int width, int height, JpegPixels pixels,
                                 std::size_t& bytesPerLine) = 0;
  virtual void setColourMap(std::span<const JpegRgb> colours) = 0;
  // The whole picture holds one more finished scan (or the final picture).
  virtual void scanShown() = 0;
  // 0..100 of the work done.
  virtual void progress(int percent) = 0;
};

enum class JpegOutcome {
  Complete,
  // Stopped early with a picture: the scan limit, or an error after rows were
  // decoded. A truncated file counts as complete with warnings (libjpeg
  // finishes it as if the data ended there).
  Partial,
  Failed,
};

struct JpegDecodeResult {
  JpegOutcome outcome = JpegOutcome::Failed;
  JpegHeaderFacts facts;
  int outputWidth = 0;
  int outputHeight = 0;
  int warnings = 0;
  int scansShown = 0;
  bool scanLimitReached = false;
  std::string error;
};

[[nodiscard]] std::optional<JpegHeaderFacts> readJpegHeader(std::span<const std::uint8_t> data);

// libjpeg's output size of one dimension at 1/denominator: rounded up.
[[nodiscard]] int jpegScaledSize(int fullSize, int denominator);

[[nodiscard]] JpegDecodeResult decodeJpeg(std::span<const std::uint8_t> data,
                                          const JpegDecodeOptions& options, JpegPixelSink& sink);

}  // namespace tossbox
