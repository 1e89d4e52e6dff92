#pragma once
// The metafile player's canvas on a QPainter: shapes, text and bitmaps in the
// painter's device pixels, with GDI's raster operations mapped to QPainter's
// composition modes and the clip kept by the painter.
#include <QPainter>

#include "core/picture/WmfCanvas.h"

namespace tossbox {

class QPainterWmfCanvas : public WmfCanvas {
 public:
  // `painter` must be active on a raster device (a QImage) for the raster
  // operations to work.
  explicit QPainterWmfCanvas(QPainter& painter);

  void polyline(std::span<const WmfPoint> points, const WmfStyle& style) override;
  void polygons(std::span<const std::vector<WmfPoint>> polygons, const WmfStyle& style) override;
  void rectangle(const WmfRect& rect, const WmfStyle& style) override;
  void roundRectangle(const WmfRect& rect, double cornerWidth, double cornerHeight,
                      const WmfStyle& style) override;
  void ellipse(const WmfRect& rect, const WmfStyle& style) override;
  void arc(const WmfRect& rect, double startDegrees, double sweepDegrees, WmfArcShape shape,
           const WmfStyle& style) override;
  double text(const WmfText& text) override;
  void fill(const WmfRect& rect, const WmfBrush& brush, WmfRaster raster) override;
  void bitmap(std::span<const std::uint8_t> dib, const WmfPixelRect& source, const WmfRect& target,
              WmfRaster raster) override;
  void save() override;
  void restore() override;
  void intersectClip(const WmfRect& rect) override;
  void excludeClip(const WmfRect& rect) override;
  void setClip(std::span<const WmfRect> rects) override;

 private:
  // Sets pen, brush, background and composition for a shape; false when the
  // raster operation leaves the picture as it is.
  bool prepare(const WmfStyle& style, bool filled);
  void drawShape(const QPainterPath& path, const WmfStyle& style, bool filled);

  QPainter& painter_;
};

// Decodes a packed DIB (header, colour table, bits) through the BMP reader;
// a null image when it cannot be read.
[[nodiscard]] QImage decodePackedDib(std::span<const std::uint8_t> dib);

}  // namespace tossbox
