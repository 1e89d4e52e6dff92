#include "core/gif/GifBitmap.h"

#include <algorithm>

namespace tossbox {

namespace {

// For each destination column (or row) of `dest` inside `visible`, the source column.
std::vector<int> sourceIndices(int destStart, int destLength, int sourceLength, int from, int to) {
  std::vector<int> result;
  result.reserve(static_cast<std::size_t>(to - from));
  for (int d = from; d < to; ++d) {
    const std::int64_t offset = d - destStart;
    result.push_back(static_cast<int>(offset * sourceLength / destLength));
  }
  return result;
}

}  // namespace

GifRect GifRect::intersected(const GifRect& other) const {
  GifRect result{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                 std::min(bottom, other.bottom)};
  if (result.isEmpty()) return {};
  return result;
}

GifBitmap::GifBitmap(int width, int height, std::uint32_t fill)
    : width(std::max(width, 0)),
      height(std::max(height, 0)),
      pixels(static_cast<std::size_t>(this->width) * this->height, fill) {}

GifMask::GifMask(int width, int height)
    : width(std::max(width, 0)),
      height(std::max(height, 0)),
      stride(((this->width + 15) / 16) * 2),
      bits(static_cast<std::size_t>(stride) * this->height, 0) {}

GifPixelView viewOf(GifBitmap& bitmap) {
  return {bitmap.pixels.data(), bitmap.width, bitmap.height, bitmap.width};
}

void drawFrameBitmap(const GifPixelView& view, const GifFrameBitmap& frame, const GifMask* mask,
                     const GifRect& dest, const GifRect& clip) {
  if (dest.isEmpty() || frame.width <= 0 || frame.height <= 0 || frame.indices == nullptr) return;
  const GifRect visible = dest.intersected(clip).intersected(view.bounds());
  if (visible.isEmpty()) return;
  const auto columns =
      sourceIndices(dest.left, dest.width(), frame.width, visible.left, visible.right);
  for (int y = visible.top; y < visible.bottom; ++y) {
    const int sy = static_cast<int>(std::int64_t{y - dest.top} * frame.height / dest.height());
    const std::uint8_t* source = frame.indices + static_cast<std::size_t>(sy) * frame.width;
    std::uint32_t* target = view.row(y) + visible.left;
    if (mask == nullptr) {
      for (std::size_t i = 0; i < columns.size(); ++i)
        target[i] = frame.palette[source[columns[i]]];
      continue;
    }
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (!mask->isTransparent(columns[i], sy)) target[i] = frame.palette[source[columns[i]]];
    }
  }
}

void drawBitmap(const GifPixelView& view, const GifBitmap& bitmap, const GifRect& dest,
                const GifRect& clip) {
  if (dest.isEmpty() || bitmap.width <= 0 || bitmap.height <= 0) return;
  const GifRect visible = dest.intersected(clip).intersected(view.bounds());
  if (visible.isEmpty()) return;
  const auto columns =
      sourceIndices(dest.left, dest.width(), bitmap.width, visible.left, visible.right);
  for (int y = visible.top; y < visible.bottom; ++y) {
    const int sy = static_cast<int>(std::int64_t{y - dest.top} * bitmap.height / dest.height());
    const std::uint32_t* source =
        bitmap.pixels.data() + static_cast<std::size_t>(sy) * bitmap.width;
    std::uint32_t* target = view.row(y) + visible.left;
    for (std::size_t i = 0; i < columns.size(); ++i) target[i] = source[columns[i]];
  }
}

void fillRect(const GifPixelView& view, const GifRect& rect, std::uint32_t colour) {
  const GifRect visible = rect.intersected(view.bounds());
  for (int y = visible.top; y < visible.bottom; ++y) {
    std::fill(view.row(y) + visible.left, view.row(y) + visible.right, colour);
  }
}

GifBitmap copyRect(const GifPixelView& view, const GifRect& rect) {
  GifBitmap result(rect.width(), rect.height());
  const GifRect visible = rect.intersected(view.bounds());
  for (int y = visible.top; y < visible.bottom; ++y) {
    std::copy(view.row(y) + visible.left, view.row(y) + visible.right,
              result.pixels.begin() + static_cast<std::ptrdiff_t>(y - rect.top) * result.width +
                  (visible.left - rect.left));
  }
  return result;
}

GifBitmap toArgb(const GifFrameBitmap& frame) {
  GifBitmap result(frame.width, frame.height);
  result.depth = frame.depth;
  if (frame.indices == nullptr) return result;
  for (std::size_t i = 0; i < result.pixels.size(); ++i) {
    result.pixels[i] = frame.palette[frame.indices[i]];
  }
  return result;
}

}  // namespace tossbox
