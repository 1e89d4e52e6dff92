#pragma once
// What the metafile player draws on. The player keeps the device context
// (mapping, objects, colours, modes) and hands the canvas finished shapes in
// the canvas's own pixel coordinates, with the pen, brush and modes to draw
// them with; the canvas only paints. Angles are degrees, counterclockwise as
// seen on the screen, measured on the ellipse's parameter (as QPainter's are).
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tossbox {

struct WmfColour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const WmfColour&, const WmfColour&) = default;
};

struct WmfPoint {
  double x = 0;
  double y = 0;
  friend bool operator==(const WmfPoint&, const WmfPoint&) = default;
};

struct WmfRect {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
  friend bool operator==(const WmfRect&, const WmfRect&) = default;
};

// A rectangle of whole source pixels, rows counted from the top of the image.
struct WmfPixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

enum class WmfPenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Null, InsideFrame };
enum class WmfLineCap { Round, Square, Flat };
enum class WmfLineJoin { Round, Bevel, Miter };

struct WmfPen {
  WmfPenStyle style = WmfPenStyle::Solid;
  double width = 0;  // canvas pixels; 0 draws one pixel wide
  WmfColour colour;
  WmfLineCap cap = WmfLineCap::Round;
  WmfLineJoin join = WmfLineJoin::Round;
};

enum class WmfBrushStyle { Solid, Null, Hatched, Pattern };
enum class WmfHatch {
  Horizontal,
  Vertical,
  ForwardDiagonal,
  BackwardDiagonal,
  Cross,
  DiagonalCross
};

struct WmfBrush {
  WmfBrushStyle style = WmfBrushStyle::Solid;
  WmfColour colour{255, 255, 255};
  WmfHatch hatch = WmfHatch::Horizontal;
  // For Pattern: a packed DIB whose colour table holds RGB colours.
  std::shared_ptr<const std::vector<std::uint8_t>> pattern;
};

struct WmfFont {
  // Canvas pixels. Negative: the character height; positive: the cell height
  // (character plus internal leading); 0: the default size.
  double height = 0;
  double width = 0;
  double escapement = 0;  // degrees, counterclockwise
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::uint8_t charset = 1;
  std::string faceName;  // bytes as stored, in the font's character set
};

// How a shape's colour meets what is already drawn.
enum class WmfRaster {
  Copy,
  Or,
  And,
  Xor,
  NotCopy,
  AndNotDest,
  NotOr,
  NotSourceOrDest,
  InvertDest,
  Black,
  White,
  Nop
};

enum class WmfFillRule { Alternate, Winding };

struct WmfStyle {
  WmfPen pen;
  WmfBrush brush;
  bool opaqueBackground = true;
  WmfColour background{255, 255, 255};
  WmfFillRule fill = WmfFillRule::Alternate;
  WmfRaster raster = WmfRaster::Copy;
};

enum class WmfArcShape { Arc, Pie, Chord };

enum class WmfTextAnchorX { Left, Centre, Right };
enum class WmfTextAnchorY { Top, Baseline, Bottom };

struct WmfText {
  WmfPoint origin;
  std::string bytes;  // in the font's character set
  WmfFont font;
  WmfColour colour;
  bool opaqueBackground = false;
  WmfColour background;
  WmfTextAnchorX anchorX = WmfTextAnchorX::Left;
  WmfTextAnchorY anchorY = WmfTextAnchorY::Top;
  // Advance after each byte in canvas pixels (a double-byte character's
  // advance is the sum of its two); empty when the font decides.
  std::vector<double> advances;
  std::optional<WmfRect> opaqueRect;
  std::optional<WmfRect> clipRect;
};

class WmfCanvas {
 public:
  virtual ~WmfCanvas() = default;

  virtual void polyline(std::span<const WmfPoint> points, const WmfStyle& style) = 0;
  // Filled with the brush and outlined with the pen; several polygons make one
  // shape under the fill rule.
  virtual void polygons(std::span<const std::vector<WmfPoint>> polygons, const WmfStyle& style) = 0;
  virtual void rectangle(const WmfRect& rect, const WmfStyle& style) = 0;
  virtual void roundRectangle(const WmfRect& rect, double cornerWidth, double cornerHeight,
                              const WmfStyle& style) = 0;
  virtual void ellipse(const WmfRect& rect, const WmfStyle& style) = 0;
  virtual void arc(const WmfRect& rect, double startDegrees, double sweepDegrees, WmfArcShape shape,
                   const WmfStyle& style) = 0;
  // Returns the advance of the text along its baseline in canvas pixels.
  virtual double text(const WmfText& text) = 0;
  // A rectangle painted with a brush only (pattern transfers, SetPixel).
  virtual void fill(const WmfRect& rect, const WmfBrush& brush, WmfRaster raster) = 0;
  // `dib` is a packed DIB (header, RGB colour table, bits) whose header the
  // player has checked. Negative widths or heights in `target` mirror.
  virtual void bitmap(std::span<const std::uint8_t> dib, const WmfPixelRect& source,
                      const WmfRect& target, WmfRaster raster) = 0;

  virtual void save() = 0;
  virtual void restore() = 0;
  virtual void intersectClip(const WmfRect& rect) = 0;
  virtual void excludeClip(const WmfRect& rect) = 0;
  // Replaces the clip by the union of the rectangles; none removes clipping.
  virtual void setClip(std::span<const WmfRect> rects) = 0;
};

}  // namespace tossbox
