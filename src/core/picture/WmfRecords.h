#pragma once
// Function numbers of the metafile records the player knows, and the GDI
// constants their parameters use.
#include <cstdint>

namespace tossbox::wmf {

inline constexpr std::uint16_t kEof = 0x0000;
inline constexpr std::uint16_t kSaveDc = 0x001E;
inline constexpr std::uint16_t kRealizePalette = 0x0035;
inline constexpr std::uint16_t kSetPaletteEntries = 0x0037;
inline constexpr std::uint16_t kCreatePalette = 0x00F7;
inline constexpr std::uint16_t kSetBkMode = 0x0102;
inline constexpr std::uint16_t kSetMapMode = 0x0103;
inline constexpr std::uint16_t kSetRop2 = 0x0104;
inline constexpr std::uint16_t kSetRelAbs = 0x0105;
inline constexpr std::uint16_t kSetPolyFillMode = 0x0106;
inline constexpr std::uint16_t kSetStretchBltMode = 0x0107;
inline constexpr std::uint16_t kSetTextCharExtra = 0x0108;
inline constexpr std::uint16_t kRestoreDc = 0x0127;
inline constexpr std::uint16_t kInvertRegion = 0x012A;
inline constexpr std::uint16_t kPaintRegion = 0x012B;
inline constexpr std::uint16_t kSelectClipRegion = 0x012C;
inline constexpr std::uint16_t kSelectObject = 0x012D;
inline constexpr std::uint16_t kSetTextAlign = 0x012E;
inline constexpr std::uint16_t kResizePalette = 0x0139;
inline constexpr std::uint16_t kDibCreatePatternBrush = 0x0142;
inline constexpr std::uint16_t kDeleteObject = 0x01F0;
inline constexpr std::uint16_t kCreatePatternBrush = 0x01F9;
inline constexpr std::uint16_t kSetBkColor = 0x0201;
inline constexpr std::uint16_t kSetTextColor = 0x0209;
inline constexpr std::uint16_t kSetTextJustification = 0x020A;
inline constexpr std::uint16_t kSetWindowOrg = 0x020B;
inline constexpr std::uint16_t kSetWindowExt = 0x020C;
inline constexpr std::uint16_t kSetViewportOrg = 0x020D;
inline constexpr std::uint16_t kSetViewportExt = 0x020E;
inline constexpr std::uint16_t kOffsetWindowOrg = 0x020F;
inline constexpr std::uint16_t kOffsetViewportOrg = 0x0211;
inline constexpr std::uint16_t kLineTo = 0x0213;
inline constexpr std::uint16_t kMoveTo = 0x0214;
inline constexpr std::uint16_t kOffsetClipRgn = 0x0220;
inline constexpr std::uint16_t kFillRegion = 0x0228;
inline constexpr std::uint16_t kSetMapperFlags = 0x0231;
inline constexpr std::uint16_t kSelectPalette = 0x0234;
inline constexpr std::uint16_t kCreatePenIndirect = 0x02FA;
inline constexpr std::uint16_t kCreateFontIndirect = 0x02FB;
inline constexpr std::uint16_t kCreateBrushIndirect = 0x02FC;
inline constexpr std::uint16_t kPolygon = 0x0324;
inline constexpr std::uint16_t kPolyline = 0x0325;
inline constexpr std::uint16_t kScaleWindowExt = 0x0410;
inline constexpr std::uint16_t kScaleViewportExt = 0x0412;
inline constexpr std::uint16_t kExcludeClipRect = 0x0415;
inline constexpr std::uint16_t kIntersectClipRect = 0x0416;
inline constexpr std::uint16_t kEllipse = 0x0418;
inline constexpr std::uint16_t kRectangle = 0x041B;
inline constexpr std::uint16_t kSetPixel = 0x041F;
inline constexpr std::uint16_t kFrameRegion = 0x0429;
inline constexpr std::uint16_t kAnimatePalette = 0x0436;
inline constexpr std::uint16_t kTextOut = 0x0521;
inline constexpr std::uint16_t kPolyPolygon = 0x0538;
inline constexpr std::uint16_t kRoundRect = 0x061C;
inline constexpr std::uint16_t kPatBlt = 0x061D;
inline constexpr std::uint16_t kEscape = 0x0626;
inline constexpr std::uint16_t kCreateRegion = 0x06FF;
inline constexpr std::uint16_t kArc = 0x0817;
inline constexpr std::uint16_t kPie = 0x081A;
inline constexpr std::uint16_t kChord = 0x0830;
inline constexpr std::uint16_t kDibBitBlt = 0x0940;
inline constexpr std::uint16_t kExtTextOut = 0x0A32;
inline constexpr std::uint16_t kDibStretchBlt = 0x0B41;
inline constexpr std::uint16_t kSetDibToDev = 0x0D33;
inline constexpr std::uint16_t kStretchDib = 0x0F43;

// Mapping modes.
inline constexpr int kMmText = 1;
inline constexpr int kMmLoMetric = 2;
inline constexpr int kMmHiMetric = 3;
inline constexpr int kMmLoEnglish = 4;
inline constexpr int kMmHiEnglish = 5;
inline constexpr int kMmTwips = 6;
inline constexpr int kMmIsotropic = 7;
inline constexpr int kMmAnisotropic = 8;

// Background modes.
inline constexpr int kTransparent = 1;
inline constexpr int kOpaque = 2;

// Text alignment flags.
inline constexpr std::uint16_t kTaUpdateCp = 0x0001;
inline constexpr std::uint16_t kTaRight = 0x0002;
inline constexpr std::uint16_t kTaCenter = 0x0006;
inline constexpr std::uint16_t kTaBottom = 0x0008;
inline constexpr std::uint16_t kTaBaseline = 0x0018;

// ExtTextOut options.
inline constexpr std::uint16_t kEtoOpaque = 0x0002;
inline constexpr std::uint16_t kEtoClipped = 0x0004;

// Colour table usage of a DIB.
inline constexpr std::uint16_t kDibRgbColours = 0;
inline constexpr std::uint16_t kDibPalColours = 1;

// Binary raster operations (SetROP2).
inline constexpr int kR2Black = 1;
inline constexpr int kR2Not = 6;
inline constexpr int kR2XorPen = 7;
inline constexpr int kR2MaskPen = 9;
inline constexpr int kR2Nop = 11;
inline constexpr int kR2CopyPen = 13;
inline constexpr int kR2MergePen = 15;
inline constexpr int kR2White = 16;

// Ternary raster operations of the bit transfers.
inline constexpr std::uint32_t kSrcCopy = 0x00CC0020;
inline constexpr std::uint32_t kSrcPaint = 0x00EE0086;
inline constexpr std::uint32_t kSrcAnd = 0x008800C6;
inline constexpr std::uint32_t kSrcInvert = 0x00660046;
inline constexpr std::uint32_t kSrcErase = 0x00440328;
inline constexpr std::uint32_t kNotSrcCopy = 0x00330008;
inline constexpr std::uint32_t kNotSrcErase = 0x001100A6;
inline constexpr std::uint32_t kMergeCopy = 0x00C000CA;
inline constexpr std::uint32_t kMergePaint = 0x00BB0226;
inline constexpr std::uint32_t kPatCopy = 0x00F00021;
inline constexpr std::uint32_t kPatInvert = 0x005A0049;
inline constexpr std::uint32_t kDstInvert = 0x00550009;
inline constexpr std::uint32_t kBlackness = 0x00000042;
inline constexpr std::uint32_t kWhiteness = 0x00FF0062;

}  // namespace tossbox::wmf
