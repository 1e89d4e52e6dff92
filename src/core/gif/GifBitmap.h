#pragma once
// Pixels for painting GIF frames without a windowing system: rectangles, 32-bit ARGB bitmaps
// (0xAARRGGBB in a std::uint32_t), the 8-bit frame bitmaps with their palettes, the one-bit
// transparency masks, and the transfers between them (stretching, masking, filling, copying).
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tossbox {

struct GifRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  [[nodiscard]] int width() const { return right - left; }
  [[nodiscard]] int height() const { return bottom - top; }
  [[nodiscard]] bool isEmpty() const { return right <= left || bottom <= top; }
  [[nodiscard]] GifRect intersected(const GifRect& other) const;
  bool operator==(const GifRect&) const = default;
};

// The pixel format a bitmap stands for, as the format information reports it.
enum class GifPixelDepth { Device, Bits1, Bits4, Bits8, Bits15, Bits16, Bits24, Bits32, Custom };

constexpr std::uint32_t gifArgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return 0xFF000000u | (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue;
}

// A 32-bit ARGB bitmap. Width and height are never negative; pixels holds width * height values.
struct GifBitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  GifPixelDepth depth = GifPixelDepth::Bits32;

  GifBitmap() = default;
  GifBitmap(int width, int height, std::uint32_t fill = 0);
  [[nodiscard]] std::uint32_t at(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * width + x];
  }
};

// A one-bit mask; a set bit marks a transparent pixel. Rows are padded to a multiple of
// 16 pixels.
struct GifMask {
  int width = 0;
  int height = 0;
  int stride = 0;  // bytes per row
  std::vector<std::uint8_t> bits;

  GifMask() = default;
  GifMask(int width, int height);
  [[nodiscard]] bool isTransparent(int x, int y) const {
    return (bits[static_cast<std::size_t>(y) * stride + (x >> 3)] >> (7 - (x & 7))) & 1;
  }
  void setTransparent(int x, int y) {
    bits[static_cast<std::size_t>(y) * stride + (x >> 3)] |=
        static_cast<std::uint8_t>(0x80 >> (x & 7));
  }
};

// A frame as an 8-bit palette bitmap: colour indices (borrowed from the frame) and 256 colours.
struct GifFrameBitmap {
  int width = 0;
  int height = 0;
  const std::uint8_t* indices = nullptr;
  std::array<std::uint32_t, 256> palette{};
  GifPixelDepth depth = GifPixelDepth::Bits8;
};

// A writable window onto 32-bit pixels someone else owns (a GifBitmap, a QImage's bits).
struct GifPixelView {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;  // pixels per row

  [[nodiscard]] std::uint32_t* row(int y) const { return pixels + y * stride; }
  [[nodiscard]] GifRect bounds() const { return {0, 0, width, height}; }
};

[[nodiscard]] GifPixelView viewOf(GifBitmap& bitmap);

// Stretches `frame` onto `dest` (nearest pixel), touching only pixels inside `clip` and the
// view. Pixels the mask marks transparent leave the view as it was.
void drawFrameBitmap(const GifPixelView& view, const GifFrameBitmap& frame, const GifMask* mask,
                     const GifRect& dest, const GifRect& clip);
// Stretches an ARGB bitmap onto `dest`, within `clip` and the view.
void drawBitmap(const GifPixelView& view, const GifBitmap& bitmap, const GifRect& dest,
                const GifRect& clip);
void fillRect(const GifPixelView& view, const GifRect& rect, std::uint32_t colour);
// The pixels under `rect`; parts outside the view are transparent (0).
[[nodiscard]] GifBitmap copyRect(const GifPixelView& view, const GifRect& rect);
// The frame through its palette as an opaque ARGB bitmap of its own size.
[[nodiscard]] GifBitmap toArgb(const GifFrameBitmap& frame);

}  // namespace tossbox
