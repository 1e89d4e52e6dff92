#pragma once
// How a GIF image is drawn: the paint flags, the frame timing constants and the halftone palette.
#include <array>
#include <cstdint>

namespace tossbox {

enum class PaintFlag : std::uint16_t {
  pfThreaded = 0x0001,     // the painter runs as its own thread
  pfTransparent = 0x0002,  // transparent frames are drawn through their mask
  pfAnimate = 0x0004,      // all frames are shown in turn, otherwise only frame 0
  pfLoop = 0x0008,         // passes repeat as the loop count says
  pfLoopForever = 0x0010,  // passes repeat without end
  pfCheckCanvas = 0x0020,  // the painter stops when its canvas is no longer valid
  pfDirect = 0x0040,       // frames go straight onto the canvas; the draw call does not wait
  pfDither = 0x0080,       // frames use the halftone palette
  pfAutoDither = 0x0100,   // with pfDither, only on a display that works with a palette
};

// A set of paint flags held in 16 bits.
class PaintFlags {
 public:
  constexpr PaintFlags() = default;
  constexpr explicit PaintFlags(std::uint16_t bits) : bits_(bits) {}
  constexpr PaintFlags(PaintFlag flag) : bits_(static_cast<std::uint16_t>(flag)) {}  // NOLINT

  [[nodiscard]] constexpr std::uint16_t bits() const { return bits_; }
  [[nodiscard]] constexpr bool has(PaintFlag flag) const {
    return (bits_ & static_cast<std::uint16_t>(flag)) != 0;
  }
  [[nodiscard]] constexpr PaintFlags with(PaintFlag flag) const {
    return PaintFlags(static_cast<std::uint16_t>(bits_ | static_cast<std::uint16_t>(flag)));
  }
  [[nodiscard]] constexpr PaintFlags without(PaintFlag flag) const {
    return PaintFlags(static_cast<std::uint16_t>(bits_ & ~static_cast<std::uint16_t>(flag)));
  }
  constexpr PaintFlags operator|(PaintFlags other) const {
    return PaintFlags(static_cast<std::uint16_t>(bits_ | other.bits_));
  }
  constexpr bool operator==(const PaintFlags&) const = default;

 private:
  std::uint16_t bits_ = 0;
};

constexpr PaintFlags operator|(PaintFlag a, PaintFlag b) {
  return PaintFlags(a) | PaintFlags(b);
}

// Threaded, transparent, animated, looping, dithered on palette displays: 0x018F. The program
// draws its GIFs with pfDirect added, 0x01CF.
inline constexpr PaintFlags DefaultPaintFlags{0x018F};

inline constexpr int FrameDelayUnit = 12;  // milliseconds per hundredth of a second in the file
inline constexpr int FallbackDelay = 10;   // hundredths: no graphic control extension, or delay 0
inline constexpr int ShortestDelay = 4;    // shorter delays are raised to it
inline constexpr int LongestDelay = 1000;  // longer delays are cut to it when not threaded

// 216 colours: red, green and blue each 0, 51, 102, 153, 204, 255; red slowest, blue fastest.
[[nodiscard]] const std::array<std::uint32_t, 216>& halftonePalette();
// The halftone colour nearest to an ARGB colour.
[[nodiscard]] std::uint32_t nearestHalftone(std::uint32_t argb);
// The 16 colours of the system palette, for frames that have no colours of their own.
[[nodiscard]] const std::array<std::uint32_t, 16>& systemPalette16();

}  // namespace tossbox
