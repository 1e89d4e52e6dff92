#include "platform/picture/QPainterWmfCanvas.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImageReader>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "core/picture/BitmapHeader.h"
#include "platform/picture/FontCharset.h"

namespace tossbox {

namespace {

constexpr double kDefaultFontPixels = 16;
// Larger text could not be seen whole on any canvas, and rasterising such
// glyphs costs far more than it shows.
constexpr int kMaxFontPixels = 4096;

QColor qcolour(const WmfColour& c) {
  return QColor(c.red, c.green, c.blue);
}

QRectF qrect(const WmfRect& r) {
  return QRectF(QPointF(r.left, r.top), QPointF(r.right, r.bottom)).normalized();
}

Qt::PenStyle penStyle(WmfPenStyle style) {
  switch (style) {
    case WmfPenStyle::Dash:
      return Qt::DashLine;
    case WmfPenStyle::Dot:
      return Qt::DotLine;
    case WmfPenStyle::DashDot:
      return Qt::DashDotLine;
    case WmfPenStyle::DashDotDot:
      return Qt::DashDotDotLine;
    case WmfPenStyle::Null:
      return Qt::NoPen;
    case WmfPenStyle::Solid:
    case WmfPenStyle::InsideFrame:
      break;
  }
  return Qt::SolidLine;
}

Qt::BrushStyle hatchStyle(WmfHatch hatch) {
  switch (hatch) {
    case WmfHatch::Horizontal:
      return Qt::HorPattern;
    case WmfHatch::Vertical:
      return Qt::VerPattern;
    case WmfHatch::ForwardDiagonal:
      return Qt::FDiagPattern;
    case WmfHatch::BackwardDiagonal:
      return Qt::BDiagPattern;
    case WmfHatch::Cross:
      return Qt::CrossPattern;
    case WmfHatch::DiagonalCross:
      break;
  }
  return Qt::DiagCrossPattern;
}

QPainter::CompositionMode composition(WmfRaster raster) {
  switch (raster) {
    case WmfRaster::Or:
      return QPainter::RasterOp_SourceOrDestination;
    case WmfRaster::And:
      return QPainter::RasterOp_SourceAndDestination;
    case WmfRaster::Xor:
      return QPainter::RasterOp_SourceXorDestination;
    case WmfRaster::NotCopy:
      return QPainter::RasterOp_NotSource;
    case WmfRaster::AndNotDest:
      return QPainter::RasterOp_SourceAndNotDestination;
    case WmfRaster::NotOr:
      return QPainter::RasterOp_NotSourceAndNotDestination;
    case WmfRaster::NotSourceOrDest:
      return QPainter::RasterOp_NotSourceOrDestination;
    case WmfRaster::InvertDest:
      return QPainter::RasterOp_NotDestination;
    case WmfRaster::Copy:
    case WmfRaster::Black:
    case WmfRaster::White:
    case WmfRaster::Nop:
      break;
  }
  return QPainter::CompositionMode_SourceOver;
}

// Black and white operations paint that colour whatever the pen or brush.
std::optional<QColor> fixedColour(WmfRaster raster) {
  if (raster == WmfRaster::Black) return QColor(Qt::black);
  if (raster == WmfRaster::White) return QColor(Qt::white);
  return std::nullopt;
}

QBrush qbrush(const WmfBrush& brush) {
  switch (brush.style) {
    case WmfBrushStyle::Null:
      return Qt::NoBrush;
    case WmfBrushStyle::Hatched:
      return QBrush(qcolour(brush.colour), hatchStyle(brush.hatch));
    case WmfBrushStyle::Pattern:
      if (brush.pattern) {
        const QImage pattern = decodePackedDib(*brush.pattern);
        if (!pattern.isNull()) return QBrush(pattern);
      }
      break;
    case WmfBrushStyle::Solid:
      break;
  }
  return QBrush(qcolour(brush.colour));
}

QPen qpen(const WmfPen& pen) {
  QPen q(qcolour(pen.colour));
  q.setStyle(penStyle(pen.style));
  q.setWidthF(pen.width < 1 ? 0 : pen.width);
  q.setCapStyle(pen.cap == WmfLineCap::Square ? Qt::SquareCap
                : pen.cap == WmfLineCap::Flat ? Qt::FlatCap
                                              : Qt::RoundCap);
  q.setJoinStyle(pen.join == WmfLineJoin::Bevel   ? Qt::BevelJoin
                 : pen.join == WmfLineJoin::Miter ? Qt::MiterJoin
                                                  : Qt::RoundJoin);
  return q;
}

QFont qfont(const WmfFont& font) {
  QFont q(decodeFontText(font.faceName, font.charset));
  const double height = std::abs(font.height);
  double pixels = height > 0 ? height : kDefaultFontPixels;
  if (font.height > 0) {
    // A positive height is the cell (ascent plus descent); scale the em to it.
    q.setPixelSize(100);
    const QFontMetricsF metrics(q);
    const double cell = metrics.ascent() + metrics.descent();
    if (cell > 0) pixels = height * 100 / cell;
  }
  q.setPixelSize(static_cast<int>(std::clamp<long>(std::lround(pixels), 1, kMaxFontPixels)));
  q.setWeight(
      static_cast<QFont::Weight>(std::clamp(font.weight == 0 ? 400 : font.weight, 1, 1000)));
  q.setItalic(font.italic);
  q.setUnderline(font.underline);
  q.setStrikeOut(font.strikeOut);
  if (font.width > 0) {
    const QFontMetricsF metrics(q);
    const double average = metrics.averageCharWidth();
    if (average > 0)
      q.setStretch(std::clamp(static_cast<int>(font.width * 100 / average), 1, 4000));
  }
  return q;
}

}  // namespace

QImage decodePackedDib(std::span<const std::uint8_t> dib) {
  const auto header = parseDibHeader(dib);
  if (!header) return {};
  const std::uint64_t bitsAt = 14 + dibColourTableOffset(*header) + dibColourTableBytes(*header);
  const std::uint64_t fileSize = 14 + dib.size();
  QByteArray file;
  file.reserve(static_cast<qsizetype>(fileSize));
  const auto put32 = [&file](std::uint64_t v) {
    for (int i = 0; i < 4; ++i) file.append(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  file.append("BM", 2);
  put32(fileSize);
  put32(0);
  put32(bitsAt);
  file.append(reinterpret_cast<const char*>(dib.data()), static_cast<qsizetype>(dib.size()));
  QBuffer buffer(&file);
  QImageReader reader(&buffer, "bmp");
  return reader.read();
}

QPainterWmfCanvas::QPainterWmfCanvas(QPainter& painter) : painter_(painter) {}

bool QPainterWmfCanvas::prepare(const WmfStyle& style, bool filled) {
  if (style.raster == WmfRaster::Nop) return false;
  QPen pen = qpen(style.pen);
  QBrush brush = filled ? qbrush(style.brush) : QBrush(Qt::NoBrush);
  if (const auto fixed = fixedColour(style.raster)) {
    pen.setColor(*fixed);
    if (brush.style() != Qt::NoBrush) brush = QBrush(*fixed);
  }
  painter_.setPen(pen);
  painter_.setBrush(brush);
  painter_.setBackgroundMode(style.opaqueBackground ? Qt::OpaqueMode : Qt::TransparentMode);
  painter_.setBackground(QBrush(qcolour(style.background)));
  painter_.setCompositionMode(composition(style.raster));
  // Shapes land on whole pixels as a device context draws them.
  painter_.setRenderHint(QPainter::Antialiasing, false);
  return true;
}

void QPainterWmfCanvas::drawShape(const QPainterPath& path, const WmfStyle& style, bool filled) {
  if (!prepare(style, filled)) return;
  painter_.drawPath(path);
}

void QPainterWmfCanvas::polyline(std::span<const WmfPoint> points, const WmfStyle& style) {
  if (!prepare(style, false)) return;
  QPolygonF line;
  for (const WmfPoint& p : points) line << QPointF(p.x, p.y);
  painter_.drawPolyline(line);
}

void QPainterWmfCanvas::polygons(std::span<const std::vector<WmfPoint>> polygons,
                                 const WmfStyle& style) {
  QPainterPath path;
  path.setFillRule(style.fill == WmfFillRule::Winding ? Qt::WindingFill : Qt::OddEvenFill);
  for (const auto& polygon : polygons) {
    QPolygonF shape;
    for (const WmfPoint& p : polygon) shape << QPointF(p.x, p.y);
    if (!shape.isEmpty()) shape << shape.first();
    path.addPolygon(shape);
  }
  drawShape(path, style, true);
}

void QPainterWmfCanvas::rectangle(const WmfRect& rect, const WmfStyle& style) {
  QPainterPath path;
  path.addRect(qrect(rect));
  drawShape(path, style, true);
}

void QPainterWmfCanvas::roundRectangle(const WmfRect& rect, double cornerWidth, double cornerHeight,
                                       const WmfStyle& style) {
  QPainterPath path;
  path.addRoundedRect(qrect(rect), cornerWidth / 2, cornerHeight / 2);
  drawShape(path, style, true);
}

void QPainterWmfCanvas::ellipse(const WmfRect& rect, const WmfStyle& style) {
  QPainterPath path;
  path.addEllipse(qrect(rect));
  drawShape(path, style, true);
}

void QPainterWmfCanvas::arc(const WmfRect& rect, double startDegrees, double sweepDegrees,
                            WmfArcShape shape, const WmfStyle& style) {
  const QRectF box = qrect(rect);
  QPainterPath path;
  if (shape == WmfArcShape::Pie) {
    path.moveTo(box.center());
    path.arcTo(box, startDegrees, sweepDegrees);
    path.closeSubpath();
  } else {
    path.arcMoveTo(box, startDegrees);
    path.arcTo(box, startDegrees, sweepDegrees);
    if (shape == WmfArcShape::Chord) path.closeSubpath();
  }
  drawShape(path, style, shape != WmfArcShape::Arc);
}

double QPainterWmfCanvas::text(const WmfText& text) {
  const QFont font = qfont(text.font);
  const QFontMetricsF metrics(font);
  const auto characters = splitFontCharacters(text.bytes, text.font.charset);
  std::vector<QString> glyphs;
  std::vector<double> offsets;
  double width = 0;
  std::size_t byte = 0;
  for (const std::string_view character : characters) {
    glyphs.push_back(decodeFontText(character, text.font.charset));
    offsets.push_back(width);
    if (text.advances.empty()) {
      width += metrics.horizontalAdvance(glyphs.back());
    } else {
      for (std::size_t i = 0; i < character.size() && byte + i < text.advances.size(); ++i) {
        width += text.advances[byte + i];
      }
    }
    byte += character.size();
  }
  painter_.save();
  painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  if (text.opaqueRect) painter_.fillRect(qrect(*text.opaqueRect), qcolour(text.background));
  if (text.clipRect) painter_.setClipRect(qrect(*text.clipRect), Qt::IntersectClip);
  painter_.translate(text.origin.x, text.origin.y);
  if (text.font.escapement != 0) painter_.rotate(-text.font.escapement);
  double x = 0;
  if (text.anchorX == WmfTextAnchorX::Right) x = -width;
  if (text.anchorX == WmfTextAnchorX::Centre) x = -width / 2;
  double baseline = 0;
  if (text.anchorY == WmfTextAnchorY::Top) baseline = metrics.ascent();
  if (text.anchorY == WmfTextAnchorY::Bottom) baseline = -metrics.descent();
  if (text.opaqueBackground) {
    painter_.fillRect(QRectF(x, baseline - metrics.ascent(), width, metrics.height()),
                      qcolour(text.background));
  }
  painter_.setFont(font);
  painter_.setPen(qcolour(text.colour));
  painter_.setBackgroundMode(Qt::TransparentMode);
  if (text.advances.empty()) {
    QString all;
    for (const QString& g : glyphs) all += g;
    painter_.drawText(QPointF(x, baseline), all);
  } else {
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
      painter_.drawText(QPointF(x + offsets[i], baseline), glyphs[i]);
    }
  }
  painter_.restore();
  return width;
}

void QPainterWmfCanvas::fill(const WmfRect& rect, const WmfBrush& brush, WmfRaster raster) {
  if (raster == WmfRaster::Nop) return;
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setCompositionMode(composition(raster));
  const auto fixed = fixedColour(raster);
  painter_.fillRect(qrect(rect), fixed ? QBrush(*fixed) : qbrush(brush));
}

void QPainterWmfCanvas::bitmap(std::span<const std::uint8_t> dib, const WmfPixelRect& source,
                               const WmfRect& target, WmfRaster raster) {
  if (raster == WmfRaster::Nop) return;
  QImage image = decodePackedDib(dib);
  if (image.isNull()) return;
  image = image.copy(source.x, source.y, source.width, source.height);
  const bool mirrorX = target.right < target.left;
  const bool mirrorY = target.bottom < target.top;
  if (mirrorX || mirrorY) {
    image = image.mirrored(mirrorX, mirrorY);
  }
  // Stretched like a device context in its default stretch mode: no smoothing.
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter_.setCompositionMode(composition(raster));
  painter_.drawImage(qrect(target), image);
}

void QPainterWmfCanvas::save() {
  painter_.save();
}

void QPainterWmfCanvas::restore() {
  painter_.restore();
}

void QPainterWmfCanvas::intersectClip(const WmfRect& rect) {
  painter_.setClipRect(qrect(rect), Qt::IntersectClip);
}

void QPainterWmfCanvas::excludeClip(const WmfRect& rect) {
  const QRect whole(
      QPoint(0, 0),
      painter_.device() ? QSize(painter_.device()->width(), painter_.device()->height()) : QSize());
  const QRegion current = painter_.hasClipping() ? painter_.clipRegion() : QRegion(whole);
  painter_.setClipRegion(current.subtracted(QRegion(qrect(rect).toAlignedRect())));
}

void QPainterWmfCanvas::setClip(std::span<const WmfRect> rects) {
  if (rects.empty()) {
    painter_.setClipping(false);
    return;
  }
  QRegion region;
  for (const WmfRect& r : rects) region += qrect(r).toAlignedRect();
  painter_.setClipRegion(region);
}

}  // namespace tossbox
