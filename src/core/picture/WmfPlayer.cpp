#include "core/picture/WmfPlayer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <variant>

#include "core/picture/BitmapHeader.h"
#include "core/picture/WmfRecords.h"

namespace tossbox {

namespace {

using namespace wmf;

// Bounds that keep a hostile file from growing the player's own state.
constexpr std::size_t kMaxObjects = 65535;
constexpr std::size_t kMaxSavedStates = 1024;
constexpr std::size_t kMaxPaletteEntries = 1024;

struct Point {
  double x = 0;
  double y = 0;
};

struct LogicalPen {
  std::uint16_t style = 0;
  std::int16_t width = 0;
  std::uint32_t colour = 0;
};

struct LogicalBrush {
  std::uint16_t style = 0;
  std::uint32_t colour = 0xFFFFFF;
  std::uint16_t hatch = 0;
  std::shared_ptr<const std::vector<std::uint8_t>> pattern;
};

struct LogicalFont {
  std::int16_t height = 0;
  std::int16_t width = 0;
  std::int16_t escapement = 0;
  std::int16_t weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::uint8_t charset = 1;
  std::string faceName;
};

struct Palette {
  std::vector<WmfColour> colours;
};

struct LogicalRect {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

struct Region {
  std::vector<LogicalRect> rects;
};

// A slot taken by an object the player cannot use, so later indices stay right.
struct Unsupported {};

using GdiObject = std::variant<Unsupported, LogicalPen, LogicalBrush, LogicalFont,
                               std::shared_ptr<Palette>, Region>;

struct DcState {
  int mapMode = kMmAnisotropic;
  Point windowOrg;
  Point windowExt{1, 1};
  Point viewportOrg;
  Point viewportExt{1, 1};
  LogicalPen pen;
  LogicalBrush brush;
  LogicalFont font;
  std::shared_ptr<Palette> palette;
  std::uint32_t textColour = 0x000000;
  std::uint32_t backgroundColour = 0xFFFFFF;
  int backgroundMode = kOpaque;
  int fillMode = 1;
  int rop2 = kR2CopyPen;
  std::uint16_t textAlign = 0;
  Point current;
};

const std::vector<WmfColour>& systemPalette() {
  static const std::vector<WmfColour> colours = {
      {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
      {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
      {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
      {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
  return colours;
}

double unitsPerPixel(int mapMode) {
  switch (mapMode) {
    case kMmLoMetric:
      return 96.0 / 254.0;
    case kMmHiMetric:
      return 96.0 / 2540.0;
    case kMmLoEnglish:
      return 96.0 / 100.0;
    case kMmHiEnglish:
      return 96.0 / 1000.0;
    case kMmTwips:
      return 96.0 / 1440.0;
    default:
      return 1.0;
  }
}

WmfRaster rasterOfRop2(int rop2) {
  switch (rop2) {
    case kR2Black:
      return WmfRaster::Black;
    case kR2Not:
      return WmfRaster::InvertDest;
    case kR2XorPen:
      return WmfRaster::Xor;
    case kR2MaskPen:
      return WmfRaster::And;
    case kR2Nop:
      return WmfRaster::Nop;
    case kR2MergePen:
      return WmfRaster::Or;
    case kR2White:
      return WmfRaster::White;
    case 4:  // R2_NOTCOPYPEN
      return WmfRaster::NotCopy;
    default:
      return WmfRaster::Copy;
  }
}

// The transfers whose result does not depend on a source bitmap.
std::optional<WmfRaster> patternRaster(std::uint32_t rop) {
  switch (rop) {
    case kPatCopy:
      return WmfRaster::Copy;
    case kPatInvert:
      return WmfRaster::Xor;
    case kDstInvert:
      return WmfRaster::InvertDest;
    case kBlackness:
      return WmfRaster::Black;
    case kWhiteness:
      return WmfRaster::White;
    default:
      return std::nullopt;
  }
}

WmfRaster sourceRaster(std::uint32_t rop) {
  switch (rop) {
    case kSrcPaint:
      return WmfRaster::Or;
    case kSrcAnd:
      return WmfRaster::And;
    case kSrcInvert:
      return WmfRaster::Xor;
    case kNotSrcCopy:
      return WmfRaster::NotCopy;
    case kSrcErase:
      return WmfRaster::AndNotDest;
    case kNotSrcErase:
      return WmfRaster::NotOr;
    case kMergePaint:
      return WmfRaster::NotSourceOrDest;
    default:
      return WmfRaster::Copy;
  }
}

// Reads the parameters of one record; every access is checked against the
// record's own length.
class Params {
 public:
  explicit Params(Bytes bytes) : bytes_(bytes) {}
  [[nodiscard]] bool has(std::size_t count) const { return bytes_.size() >= count; }
  [[nodiscard]] std::size_t size() const { return bytes_.size(); }
  [[nodiscard]] std::int16_t i16(std::size_t at) const { return i16At(bytes_, at); }
  [[nodiscard]] std::uint16_t u16(std::size_t at) const { return u16At(bytes_, at); }
  [[nodiscard]] std::uint32_t u32(std::size_t at) const { return u32At(bytes_, at); }
  [[nodiscard]] Bytes from(std::size_t at) const {
    return at <= bytes_.size() ? bytes_.subspan(at) : Bytes();
  }
  [[nodiscard]] Bytes bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

class Playback {
 public:
  Playback(const WmfDocument& document, WmfCanvas& canvas, double width, double height)
      : document_(document), canvas_(canvas) {
    scaleX_ = width / document.width();
    scaleY_ = height / document.height();
    if (const auto& box = document.placeableBox()) {
      dc_.windowOrg = {double(box->left), double(box->top)};
      dc_.windowExt = {double(box->right - box->left), double(box->bottom - box->top)};
    } else {
      dc_.windowExt = {double(document.width()), double(document.height())};
    }
    dc_.viewportExt = {double(document.width()), double(document.height())};
    objects_.resize(std::min<std::size_t>(document.objectCount(), kMaxObjects));
  }

  void run() {
    for (const WmfRecord& record : document_.records()) {
      play(record.function, Params(document_.parameters(record)));
    }
    while (!saved_.empty()) {
      saved_.pop_back();
      canvas_.restore();
    }
  }

 private:
  // ---- mapping -----------------------------------------------------------

  [[nodiscard]] Point logicalToDeviceScale() const {
    if (dc_.mapMode == kMmText) return {1, 1};
    if (dc_.mapMode != kMmIsotropic && dc_.mapMode != kMmAnisotropic) {
      const double u = unitsPerPixel(dc_.mapMode);
      return {u, -u};
    }
    Point s{dc_.viewportExt.x / dc_.windowExt.x, dc_.viewportExt.y / dc_.windowExt.y};
    if (dc_.mapMode == kMmIsotropic) {
      const double m = std::min(std::abs(s.x), std::abs(s.y));
      s = {std::copysign(m, s.x), std::copysign(m, s.y)};
    }
    return s;
  }

  [[nodiscard]] Point scale() const {
    const Point u = logicalToDeviceScale();
    return {u.x * scaleX_, u.y * scaleY_};
  }

  [[nodiscard]] WmfPoint map(Point p) const {
    const Point u = logicalToDeviceScale();
    const double x = (p.x - dc_.windowOrg.x) * u.x + dc_.viewportOrg.x;
    const double y = (p.y - dc_.windowOrg.y) * u.y + dc_.viewportOrg.y;
    return {x * scaleX_, y * scaleY_};
  }

  [[nodiscard]] WmfPoint map(double x, double y) const { return map(Point{x, y}); }

  [[nodiscard]] WmfRect mapRect(double left, double top, double right, double bottom) const {
    const WmfPoint a = map(left, top);
    const WmfPoint b = map(right, bottom);
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
  }

  [[nodiscard]] bool mirrored() const {
    const Point s = scale();
    return (s.x < 0) != (s.y < 0);
  }

  // ---- styles -------------------------------------------------------------

  [[nodiscard]] WmfColour colour(std::uint32_t ref) const {
    if ((ref >> 24) == 1) {
      const std::size_t index = ref & 0xFFFF;
      const auto& colours = dc_.palette ? dc_.palette->colours : systemPalette();
      return index < colours.size() ? colours[index] : WmfColour{};
    }
    return {static_cast<std::uint8_t>(ref & 0xFF), static_cast<std::uint8_t>((ref >> 8) & 0xFF),
            static_cast<std::uint8_t>((ref >> 16) & 0xFF)};
  }

  [[nodiscard]] WmfPen pen() const {
    WmfPen pen;
    const int kind = dc_.pen.style & 0x0F;
    static constexpr WmfPenStyle kStyles[] = {
        WmfPenStyle::Solid,      WmfPenStyle::Dash, WmfPenStyle::Dot,        WmfPenStyle::DashDot,
        WmfPenStyle::DashDotDot, WmfPenStyle::Null, WmfPenStyle::InsideFrame};
    pen.style = kind <= 6 ? kStyles[kind] : WmfPenStyle::Solid;
    pen.width = std::abs(dc_.pen.width * scale().x);
    pen.colour = colour(dc_.pen.colour);
    const int cap = (dc_.pen.style >> 8) & 0x0F;
    pen.cap = cap == 1 ? WmfLineCap::Square : cap == 2 ? WmfLineCap::Flat : WmfLineCap::Round;
    const int join = (dc_.pen.style >> 12) & 0x0F;
    pen.join = join == 1 ? WmfLineJoin::Bevel : join == 2 ? WmfLineJoin::Miter : WmfLineJoin::Round;
    return pen;
  }

  [[nodiscard]] WmfBrush brush(const LogicalBrush& logical) const {
    WmfBrush brush;
    brush.colour = colour(logical.colour);
    switch (logical.style) {
      case 1:
        brush.style = WmfBrushStyle::Null;
        break;
      case 2:
        brush.style = WmfBrushStyle::Hatched;
        brush.hatch = static_cast<WmfHatch>(std::min<int>(logical.hatch, 5));
        break;
      default:
        brush.style = logical.pattern ? WmfBrushStyle::Pattern : WmfBrushStyle::Solid;
        brush.pattern = logical.pattern;
        break;
    }
    return brush;
  }

  [[nodiscard]] WmfStyle style() const {
    WmfStyle style;
    style.pen = pen();
    style.brush = brush(dc_.brush);
    style.opaqueBackground = dc_.backgroundMode == kOpaque;
    style.background = colour(dc_.backgroundColour);
    style.fill = dc_.fillMode == 2 ? WmfFillRule::Winding : WmfFillRule::Alternate;
    style.raster = rasterOfRop2(dc_.rop2);
    return style;
  }

  // ---- objects ------------------------------------------------------------

  void addObject(GdiObject object) {
    for (auto& slot : objects_) {
      if (!slot) {
        slot = std::move(object);
        return;
      }
    }
    if (objects_.size() < kMaxObjects) objects_.emplace_back(std::move(object));
  }

  [[nodiscard]] const GdiObject* object(std::size_t index) const {
    return index < objects_.size() && objects_[index] ? &*objects_[index] : nullptr;
  }

  void createPen(const Params& p) {
    if (!p.has(10)) return addObject(Unsupported{});
    addObject(LogicalPen{p.u16(0), p.i16(2), p.u32(6)});
  }

  void createBrush(const Params& p) {
    if (!p.has(8)) return addObject(Unsupported{});
    addObject(LogicalBrush{p.u16(0), p.u32(2), p.u16(6), nullptr});
  }

  void createPatternBrush(const Params& p) {
    if (!p.has(4)) return addObject(Unsupported{});
    const auto dib = rgbDib(p.from(4), p.u16(2));
    if (!dib) return addObject(Unsupported{});
    addObject(LogicalBrush{3, 0, 0, std::make_shared<const std::vector<std::uint8_t>>(*dib)});
  }

  void createFont(const Params& p) {
    if (!p.has(18)) return addObject(Unsupported{});
    LogicalFont font;
    font.height = p.i16(0);
    font.width = p.i16(2);
    font.escapement = p.i16(4);
    font.weight = p.i16(8);
    font.italic = p.bytes()[10] != 0;
    font.underline = p.bytes()[11] != 0;
    font.strikeOut = p.bytes()[12] != 0;
    font.charset = p.bytes()[13];
    const Bytes face = p.from(18).first(std::min<std::size_t>(32, p.size() - 18));
    const auto end = std::find(face.begin(), face.end(), std::uint8_t{0});
    font.faceName.assign(face.begin(), end);
    addObject(font);
  }

  void createPalette(const Params& p) {
    if (!p.has(4)) return addObject(Unsupported{});
    auto palette = std::make_shared<Palette>();
    const std::size_t count =
        std::min<std::size_t>({p.u16(2), (p.size() - 4) / 4, kMaxPaletteEntries});
    for (std::size_t i = 0; i < count; ++i) {
      const Bytes e = p.from(4 + i * 4);
      palette->colours.push_back({e[0], e[1], e[2]});
    }
    addObject(std::move(palette));
  }

  void setPaletteEntries(const Params& p) {
    if (!dc_.palette || !p.has(4)) return;
    const std::size_t start = p.u16(0);
    const std::size_t count = std::min<std::size_t>(p.u16(2), (p.size() - 4) / 4);
    auto& colours = dc_.palette->colours;
    for (std::size_t i = 0; i < count && start + i < colours.size(); ++i) {
      const Bytes e = p.from(4 + i * 4);
      colours[start + i] = {e[0], e[1], e[2]};
    }
  }

  void resizePalette(const Params& p) {
    if (!dc_.palette || !p.has(2)) return;
    dc_.palette->colours.resize(std::min<std::size_t>(p.u16(0), kMaxPaletteEntries));
  }

  void createRegion(const Params& p) {
    constexpr std::size_t kRegionHeader = 22;
    if (!p.has(kRegionHeader)) return addObject(Unsupported{});
    Region region;
    const std::size_t scans = p.u16(10);
    std::size_t at = kRegionHeader;
    for (std::size_t s = 0; s < scans && p.has(at + 6); ++s) {
      const std::size_t count = p.u16(at);
      const double top = p.i16(at + 2);
      const double bottom = p.i16(at + 4);
      const std::size_t end = at + 6 + count * 2 + 2;
      if (!p.has(end)) break;
      for (std::size_t i = 0; i + 1 < count; i += 2) {
        region.rects.push_back(
            {double(p.i16(at + 6 + i * 2)), top, double(p.i16(at + 8 + i * 2)), bottom});
      }
      at = end;
    }
    if (region.rects.empty()) {
      region.rects.push_back(
          {double(p.i16(14)), double(p.i16(16)), double(p.i16(18)), double(p.i16(20))});
    }
    addObject(std::move(region));
  }

  void selectObject(const Params& p) {
    if (!p.has(2)) return;
    const GdiObject* found = object(p.u16(0));
    if (found == nullptr) return;
    if (const auto* pen = std::get_if<LogicalPen>(found)) dc_.pen = *pen;
    if (const auto* brush = std::get_if<LogicalBrush>(found)) dc_.brush = *brush;
    if (const auto* font = std::get_if<LogicalFont>(found)) dc_.font = *font;
    if (const auto* palette = std::get_if<std::shared_ptr<Palette>>(found)) dc_.palette = *palette;
    if (const auto* region = std::get_if<Region>(found)) clipToRegion(*region);
  }

  void selectPalette(const Params& p) {
    if (!p.has(2)) return;
    const GdiObject* found = object(p.u16(0));
    if (found == nullptr) return;
    if (const auto* palette = std::get_if<std::shared_ptr<Palette>>(found)) dc_.palette = *palette;
  }

  void deleteObject(const Params& p) {
    if (!p.has(2) || p.u16(0) >= objects_.size()) return;
    objects_[p.u16(0)].reset();
  }

  [[nodiscard]] const Region* region(std::size_t index) const {
    const GdiObject* found = object(index);
    return found ? std::get_if<Region>(found) : nullptr;
  }

  [[nodiscard]] std::vector<WmfRect> mapRegion(const Region& region) const {
    std::vector<WmfRect> rects;
    rects.reserve(region.rects.size());
    for (const LogicalRect& r : region.rects)
      rects.push_back(mapRect(r.left, r.top, r.right, r.bottom));
    return rects;
  }

  void clipToRegion(const Region& region) {
    const auto rects = mapRegion(region);
    canvas_.setClip(rects);
  }

  void fillRegion(const Region& region, const LogicalBrush& with) {
    const WmfBrush b = brush(with);
    for (const WmfRect& r : mapRegion(region)) canvas_.fill(r, b, rasterOfRop2(dc_.rop2));
  }

  // ---- device context -----------------------------------------------------

  void saveDc() {
    if (saved_.size() >= kMaxSavedStates) return;
    saved_.push_back(dc_);
    canvas_.save();
  }

  void restoreDc(const Params& p) {
    if (!p.has(2)) return;
    const int n = p.i16(0);
    std::size_t pops = 0;
    if (n < 0) {
      pops = static_cast<std::size_t>(-n);
    } else if (n > 0 && static_cast<std::size_t>(n) <= saved_.size()) {
      pops = saved_.size() - static_cast<std::size_t>(n) + 1;
    }
    if (pops == 0 || pops > saved_.size()) return;
    for (std::size_t i = 0; i < pops; ++i) {
      dc_ = saved_.back();
      saved_.pop_back();
      canvas_.restore();
    }
  }

  static void setPoint(Point& target, const Params& p) {
    if (p.has(4)) target = {double(p.i16(2)), double(p.i16(0))};
  }

  static void setExtent(Point& target, const Params& p) {
    if (!p.has(4) || p.i16(0) == 0 || p.i16(2) == 0) return;
    target = {double(p.i16(2)), double(p.i16(0))};
  }

  static void offsetPoint(Point& target, const Params& p) {
    if (!p.has(4)) return;
    target.x += p.i16(2);
    target.y += p.i16(0);
  }

  static void scaleExtent(Point& target, const Params& p) {
    if (!p.has(8)) return;
    const double yDenom = p.i16(0), yNum = p.i16(2), xDenom = p.i16(4), xNum = p.i16(6);
    if (yDenom == 0 || xDenom == 0 || yNum == 0 || xNum == 0) return;
    target.x = target.x * xNum / xDenom;
    target.y = target.y * yNum / yDenom;
  }

  // ---- drawing ------------------------------------------------------------

  [[nodiscard]] std::vector<WmfPoint> points(const Params& p, std::size_t at,
                                             std::size_t count) const {
    std::vector<WmfPoint> result;
    result.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
      result.push_back(map(p.i16(at + i * 4), p.i16(at + i * 4 + 2)));
    }
    return result;
  }

  void polyline(const Params& p) {
    if (!p.has(2)) return;
    const std::size_t count = static_cast<std::uint16_t>(p.i16(0));
    if (count < 2 || !p.has(2 + count * 4)) return;
    const auto pts = points(p, 2, count);
    canvas_.polyline(pts, style());
  }

  void polygon(const Params& p) {
    if (!p.has(2)) return;
    const std::size_t count = static_cast<std::uint16_t>(p.i16(0));
    if (count < 2 || !p.has(2 + count * 4)) return;
    const std::vector<std::vector<WmfPoint>> shapes{points(p, 2, count)};
    canvas_.polygons(shapes, style());
  }

  void polyPolygon(const Params& p) {
    if (!p.has(2)) return;
    const std::size_t polys = p.u16(0);
    if (!p.has(2 + polys * 2)) return;
    std::size_t at = 2 + polys * 2;
    std::vector<std::vector<WmfPoint>> shapes;
    for (std::size_t i = 0; i < polys; ++i) {
      const std::size_t count = p.u16(2 + i * 2);
      if (!p.has(at + count * 4)) return;
      shapes.push_back(points(p, at, count));
      at += count * 4;
    }
    canvas_.polygons(shapes, style());
  }

  [[nodiscard]] WmfRect boxAt(const Params& p, std::size_t at) const {
    return mapRect(p.i16(at + 6), p.i16(at + 4), p.i16(at + 2), p.i16(at));
  }

  void arc(const Params& p, WmfArcShape shape) {
    if (!p.has(16)) return;
    const WmfRect box = boxAt(p, 8);
    const WmfPoint start = map(p.i16(6), p.i16(4));
    const WmfPoint end = map(p.i16(2), p.i16(0));
    const double cx = (box.left + box.right) / 2;
    const double cy = (box.top + box.bottom) / 2;
    const double rx = std::max((box.right - box.left) / 2, 1e-9);
    const double ry = std::max((box.bottom - box.top) / 2, 1e-9);
    const auto angle = [&](WmfPoint q) {
      return std::atan2(-(q.y - cy) / ry, (q.x - cx) / rx) * 180.0 / std::numbers::pi;
    };
    const double a0 = angle(start);
    const double a1 = angle(end);
    // Counterclockwise in the file's own coordinates, which a mirroring
    // mapping turns clockwise on the canvas.
    double sweep = std::fmod(a1 - a0 + 720.0, 360.0);
    if (sweep <= 1e-9) sweep = 360.0;
    if (mirrored()) sweep = sweep - 360.0;
    if (sweep <= -360.0) sweep = -360.0;
    canvas_.arc(box, a0, sweep, shape, style());
  }

  void text(double x, double y, std::string bytes, std::vector<std::int16_t> dx,
            std::optional<WmfRect> opaqueRect, std::optional<WmfRect> clipRect) {
    const bool updateCp = (dc_.textAlign & kTaUpdateCp) != 0;
    const Point at = updateCp ? dc_.current : Point{x, y};
    const Point s = scale();
    WmfText t;
    t.origin = map(at);
    t.bytes = std::move(bytes);
    t.font.height = dc_.font.height * std::abs(s.y);
    t.font.width = std::abs(dc_.font.width * s.x);
    t.font.escapement = dc_.font.escapement / 10.0;
    t.font.weight = dc_.font.weight;
    t.font.italic = dc_.font.italic;
    t.font.underline = dc_.font.underline;
    t.font.strikeOut = dc_.font.strikeOut;
    t.font.charset = dc_.font.charset;
    t.font.faceName = dc_.font.faceName;
    t.colour = colour(dc_.textColour);
    t.opaqueBackground = dc_.backgroundMode == kOpaque;
    t.background = colour(dc_.backgroundColour);
    const std::uint16_t horizontal = dc_.textAlign & kTaCenter;
    t.anchorX = horizontal == kTaCenter  ? WmfTextAnchorX::Centre
                : horizontal == kTaRight ? WmfTextAnchorX::Right
                                         : WmfTextAnchorX::Left;
    const std::uint16_t vertical = dc_.textAlign & kTaBaseline;
    t.anchorY = vertical == kTaBaseline ? WmfTextAnchorY::Baseline
                : vertical == kTaBottom ? WmfTextAnchorY::Bottom
                                        : WmfTextAnchorY::Top;
    for (const std::int16_t d : dx) t.advances.push_back(std::abs(d * s.x));
    t.opaqueRect = opaqueRect;
    t.clipRect = clipRect;
    const double advance = canvas_.text(t);
    if (updateCp && s.x != 0) {
      const double logical = advance / std::abs(s.x);
      dc_.current.x += t.anchorX == WmfTextAnchorX::Right ? -logical : logical;
    }
  }

  void textOut(const Params& p) {
    if (!p.has(2)) return;
    const std::size_t count = static_cast<std::uint16_t>(p.i16(0));
    const std::size_t padded = (count + 1) / 2 * 2;
    if (!p.has(2 + padded + 4)) return;
    const Bytes s = p.from(2).first(count);
    text(p.i16(2 + padded + 2), p.i16(2 + padded), std::string(s.begin(), s.end()), {}, {}, {});
  }

  void extTextOut(const Params& p) {
    if (!p.has(8)) return;
    const double y = p.i16(0);
    const double x = p.i16(2);
    const std::size_t count = static_cast<std::uint16_t>(p.i16(4));
    const std::uint16_t options = p.u16(6);
    std::size_t at = 8;
    std::optional<WmfRect> rect;
    if ((options & (kEtoOpaque | kEtoClipped)) != 0) {
      if (!p.has(at + 8)) return;
      rect = mapRect(p.i16(at), p.i16(at + 2), p.i16(at + 4), p.i16(at + 6));
      at += 8;
    }
    if (!p.has(at + count)) return;
    const Bytes s = p.from(at).first(count);
    at += (count + 1) / 2 * 2;
    std::vector<std::int16_t> dx;
    if (p.has(at + count * 2)) {
      for (std::size_t i = 0; i < count; ++i) dx.push_back(p.i16(at + i * 2));
    }
    std::optional<WmfRect> opaque = (options & kEtoOpaque) ? rect : std::nullopt;
    std::optional<WmfRect> clip = (options & kEtoClipped) ? rect : std::nullopt;
    text(x, y, std::string(s.begin(), s.end()), std::move(dx), opaque, clip);
  }

  void setPixel(const Params& p) {
    if (!p.has(8)) return;
    WmfBrush dot;
    dot.colour = colour(p.u32(0));
    const WmfPoint at = map(p.i16(6), p.i16(4));
    const Point s = scale();
    const double w = std::max(1.0, std::abs(s.x));
    const double h = std::max(1.0, std::abs(s.y));
    canvas_.fill({at.x, at.y, at.x + w, at.y + h}, dot, WmfRaster::Copy);
  }

  void patternFill(std::uint32_t rop, double x, double y, double w, double h) {
    const auto raster = patternRaster(rop);
    canvas_.fill(mapRect(x, y, x + w, y + h), brush(dc_.brush), raster.value_or(WmfRaster::Copy));
  }

  void patBlt(const Params& p) {
    if (!p.has(12)) return;
    patternFill(p.u32(0), p.i16(10), p.i16(8), p.i16(6), p.i16(4));
  }

  // A packed DIB with an RGB colour table: the record's own bytes, or a copy
  // whose palette indices are replaced by the selected palette's colours.
  [[nodiscard]] std::optional<std::vector<std::uint8_t>> rgbDib(Bytes dib,
                                                                std::uint16_t usage) const {
    const auto header = checkedDib(dib, usage);
    if (!header) return std::nullopt;
    if (usage != kDibPalColours) return std::vector<std::uint8_t>(dib.begin(), dib.end());
    const std::size_t tableAt = dibColourTableOffset(*header);
    const std::size_t entries = header->paletteEntries;
    const std::size_t entrySize = header->kind == DibHeaderKind::Os2Core ? 3 : 4;
    std::vector<std::uint8_t> out(dib.begin(), dib.begin() + static_cast<std::ptrdiff_t>(tableAt));
    for (std::size_t i = 0; i < entries; ++i) {
      const WmfColour c = colour(0x01000000u | u16At(dib, tableAt + i * 2));
      out.insert(out.end(), {c.blue, c.green, c.red});
      if (entrySize == 4) out.push_back(0);
    }
    const Bytes bits = dib.subspan(tableAt + entries * 2);
    out.insert(out.end(), bits.begin(), bits.end());
    return out;
  }

  [[nodiscard]] static std::optional<DibHeader> checkedDib(Bytes dib, std::uint16_t usage) {
    const auto header =
        parseDibHeader(dib, usage == kDibPalColours ? DibColours::PaletteIndices : DibColours::Rgb);
    if (!header || header->compression == DibCompression::Jpeg ||
        header->compression == DibCompression::Png) {
      return std::nullopt;
    }
    const std::uint64_t bitsAt = dibColourTableOffset(*header) + dibColourTableBytes(*header);
    const std::uint64_t bits = dibIsCompressed(*header) ? 1 : dibUncompressedBytes(*header);
    if (!fits(dib, bitsAt, bits)) return std::nullopt;
    return header;
  }

  struct Transfer {
    std::uint32_t rop = kSrcCopy;
    std::uint16_t usage = kDibRgbColours;
    double srcX = 0, srcY = 0, srcW = 0, srcH = 0;
    double dstX = 0, dstY = 0, dstW = 0, dstH = 0;
  };

  void transfer(const Transfer& t, Bytes dib) {
    if (patternRaster(t.rop)) {
      patternFill(t.rop, t.dstX, t.dstY, t.dstW, t.dstH);
      return;
    }
    const auto rgb = rgbDib(dib, t.usage);
    if (!rgb) return;
    const auto header = parseDibHeader(*rgb);
    if (!header) return;
    // Source rows are counted from the bottom of a bottom-up bitmap.
    double srcX = t.srcX, srcW = t.srcW, srcH = t.srcH;
    double srcY = header->topDown ? t.srcY : header->height - t.srcY - t.srcH;
    WmfPoint a = map(t.dstX, t.dstY);
    WmfPoint b = map(t.dstX + t.dstW, t.dstY + t.dstH);
    if (srcW < 0) {
      srcX += srcW;
      srcW = -srcW;
      std::swap(a.x, b.x);
    }
    if (srcH < 0) {
      srcY += srcH;
      srcH = -srcH;
      std::swap(a.y, b.y);
    }
    const double x0 = std::clamp(srcX, 0.0, double(header->width));
    const double y0 = std::clamp(srcY, 0.0, double(header->height));
    const double x1 = std::clamp(srcX + srcW, 0.0, double(header->width));
    const double y1 = std::clamp(srcY + srcH, 0.0, double(header->height));
    if (x1 <= x0 || y1 <= y0 || srcW <= 0 || srcH <= 0) return;
    // Keep the target in step with the part of the source that exists.
    const double kx = (b.x - a.x) / srcW;
    const double ky = (b.y - a.y) / srcH;
    const WmfRect target{a.x + (x0 - srcX) * kx, a.y + (y0 - srcY) * ky, a.x + (x1 - srcX) * kx,
                         a.y + (y1 - srcY) * ky};
    const WmfPixelRect source{int(x0), int(y0), int(x1) - int(x0), int(y1) - int(y0)};
    canvas_.bitmap(*rgb, source, target, sourceRaster(t.rop));
  }

  void stretchDib(const Params& p) {
    if (!p.has(22)) return;
    Transfer t;
    t.rop = p.u32(0);
    t.usage = p.u16(4);
    t.srcH = p.i16(6);
    t.srcW = p.i16(8);
    t.srcY = p.i16(10);
    t.srcX = p.i16(12);
    t.dstH = p.i16(14);
    t.dstW = p.i16(16);
    t.dstY = p.i16(18);
    t.dstX = p.i16(20);
    transfer(t, p.from(22));
  }

  void dibStretchBlt(const Params& p, std::uint16_t function) {
    if (p.size() + 6 == std::size_t{(function >> 8) + 3u} * 2) {
      if (p.has(22)) patternFill(p.u32(0), p.i16(20), p.i16(18), p.i16(16), p.i16(14));
      return;
    }
    if (!p.has(20)) return;
    Transfer t;
    t.rop = p.u32(0);
    t.srcH = p.i16(4);
    t.srcW = p.i16(6);
    t.srcY = p.i16(8);
    t.srcX = p.i16(10);
    t.dstH = p.i16(12);
    t.dstW = p.i16(14);
    t.dstY = p.i16(16);
    t.dstX = p.i16(18);
    transfer(t, p.from(20));
  }

  void dibBitBlt(const Params& p, std::uint16_t function) {
    if (p.size() + 6 == std::size_t{(function >> 8) + 3u} * 2) {
      if (p.has(18)) patternFill(p.u32(0), p.i16(16), p.i16(14), p.i16(12), p.i16(10));
      return;
    }
    if (!p.has(16)) return;
    Transfer t;
    t.rop = p.u32(0);
    t.srcY = p.i16(4);
    t.srcX = p.i16(6);
    t.srcH = t.dstH = p.i16(8);
    t.srcW = t.dstW = p.i16(10);
    t.dstY = p.i16(12);
    t.dstX = p.i16(14);
    transfer(t, p.from(16));
  }

  void setDibToDevice(const Params& p) {
    if (!p.has(18)) return;
    Transfer t;
    t.usage = p.u16(0);
    t.srcY = p.i16(6);
    t.srcX = p.i16(8);
    t.srcH = t.dstH = p.i16(10);
    t.srcW = t.dstW = p.i16(12);
    t.dstY = p.i16(14);
    t.dstX = p.i16(16);
    transfer(t, p.from(18));
  }

  void clipRect(const Params& p, bool intersect) {
    if (!p.has(8)) return;
    const WmfRect r = boxAt(p, 0);
    if (intersect) {
      canvas_.intersectClip(r);
    } else {
      canvas_.excludeClip(r);
    }
  }

  // ---- dispatch -----------------------------------------------------------

  void play(std::uint16_t function, const Params& p) {
    switch (function) {
      case kSaveDc:
        return saveDc();
      case kRestoreDc:
        return restoreDc(p);
      case kSetMapMode:
        if (p.has(2)) dc_.mapMode = p.i16(0);
        return;
      case kSetWindowOrg:
        return setPoint(dc_.windowOrg, p);
      case kSetWindowExt:
        return setExtent(dc_.windowExt, p);
      case kSetViewportOrg:
        return setPoint(dc_.viewportOrg, p);
      case kSetViewportExt:
        return setExtent(dc_.viewportExt, p);
      case kOffsetWindowOrg:
        return offsetPoint(dc_.windowOrg, p);
      case kOffsetViewportOrg:
        return offsetPoint(dc_.viewportOrg, p);
      case kScaleWindowExt:
        return scaleExtent(dc_.windowExt, p);
      case kScaleViewportExt:
        return scaleExtent(dc_.viewportExt, p);
      case kSetBkMode:
        if (p.has(2)) dc_.backgroundMode = p.i16(0);
        return;
      case kSetBkColor:
        if (p.has(4)) dc_.backgroundColour = p.u32(0);
        return;
      case kSetTextColor:
        if (p.has(4)) dc_.textColour = p.u32(0);
        return;
      case kSetPolyFillMode:
        if (p.has(2)) dc_.fillMode = p.i16(0);
        return;
      case kSetRop2:
        if (p.has(2)) dc_.rop2 = p.i16(0);
        return;
      case kSetTextAlign:
        if (p.has(2)) dc_.textAlign = p.u16(0);
        return;
      case kCreatePenIndirect:
        return createPen(p);
      case kCreateBrushIndirect:
        return createBrush(p);
      case kDibCreatePatternBrush:
        return createPatternBrush(p);
      case kCreatePatternBrush:
        return addObject(Unsupported{});
      case kCreateFontIndirect:
        return createFont(p);
      case kCreatePalette:
        return createPalette(p);
      case kCreateRegion:
        return createRegion(p);
      case kSelectObject:
        return selectObject(p);
      case kSelectPalette:
        return selectPalette(p);
      case kDeleteObject:
        return deleteObject(p);
      case kSetPaletteEntries:
      case kAnimatePalette:
        return setPaletteEntries(p);
      case kResizePalette:
        return resizePalette(p);
      case kMoveTo:
        return setPoint(dc_.current, p);
      case kLineTo:
        return lineTo(p);
      case kPolyline:
        return polyline(p);
      case kPolygon:
        return polygon(p);
      case kPolyPolygon:
        return polyPolygon(p);
      case kRectangle:
        if (p.has(8)) canvas_.rectangle(boxAt(p, 0), style());
        return;
      case kRoundRect:
        return roundRect(p);
      case kEllipse:
        if (p.has(8)) canvas_.ellipse(boxAt(p, 0), style());
        return;
      case kArc:
        return arc(p, WmfArcShape::Arc);
      case kPie:
        return arc(p, WmfArcShape::Pie);
      case kChord:
        return arc(p, WmfArcShape::Chord);
      case kSetPixel:
        return setPixel(p);
      case kTextOut:
        return textOut(p);
      case kExtTextOut:
        return extTextOut(p);
      case kPatBlt:
        return patBlt(p);
      case kStretchDib:
        return stretchDib(p);
      case kDibStretchBlt:
        return dibStretchBlt(p, function);
      case kDibBitBlt:
        return dibBitBlt(p, function);
      case kSetDibToDev:
        return setDibToDevice(p);
      case kIntersectClipRect:
        return clipRect(p, true);
      case kExcludeClipRect:
        return clipRect(p, false);
      case kSelectClipRegion:
        return selectClipRegion(p);
      case kFillRegion:
        if (p.has(4)) {
          const Region* r = region(p.u16(0));
          const GdiObject* b = object(p.u16(2));
          const auto* with = b ? std::get_if<LogicalBrush>(b) : nullptr;
          if (r && with) fillRegion(*r, *with);
        }
        return;
      case kPaintRegion:
        if (p.has(2)) {
          if (const Region* r = region(p.u16(0))) fillRegion(*r, dc_.brush);
        }
        return;
      default:
        return;  // not drawn: escapes, old bitmap formats, region framing
    }
  }

  void lineTo(const Params& p) {
    if (!p.has(4)) return;
    const Point to{double(p.i16(2)), double(p.i16(0))};
    const WmfPoint line[] = {map(dc_.current), map(to)};
    canvas_.polyline(line, style());
    dc_.current = to;
  }

  void roundRect(const Params& p) {
    if (!p.has(12)) return;
    const Point s = scale();
    canvas_.roundRectangle(boxAt(p, 4), std::abs(p.i16(2) * s.x), std::abs(p.i16(0) * s.y),
                           style());
  }

  void selectClipRegion(const Params& p) {
    if (!p.has(2)) return;
    if (const Region* r = region(p.u16(0))) {
      clipToRegion(*r);
    } else {
      canvas_.setClip({});
    }
  }

  const WmfDocument& document_;
  WmfCanvas& canvas_;
  double scaleX_ = 1;
  double scaleY_ = 1;
  DcState dc_;
  std::vector<DcState> saved_;
  std::vector<std::optional<GdiObject>> objects_;
};

}  // namespace

void playWmf(const WmfDocument& document, WmfCanvas& canvas, double width, double height) {
  Playback(document, canvas, width, height).run();
}

}  // namespace tossbox
