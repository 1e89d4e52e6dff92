#include "core/picture/JpegDecoder.h"

#include <gtest/gtest.h>

#include "PictureFixtures.h"

using namespace tossbox;
using fixtures::JpegKind;
using fixtures::makeJpeg;

namespace {

// Rows in a plain buffer, with the calls counted.
class BufferSink : public JpegPixelSink {
 public:
  std::uint8_t* allocate(int w, int h, JpegPixels kind, std::size_t& bytesPerLine) override {
    width = w;
    height = h;
    pixels = kind;
    bytesPerLine = static_cast<std::size_t>(w) * (kind == JpegPixels::Bgra32 ? 4 : 1);
    stride = bytesPerLine;
    rows.assign(bytesPerLine * static_cast<std::size_t>(h), 0x80);
    return rows.data();
  }
  void setColourMap(std::span<const JpegRgb> colours) override {
    colourMap.assign(colours.begin(), colours.end());
  }
  void scanShown() override { ++scans; }
  void progress(int percent) override { percents.push_back(percent); }

  [[nodiscard]] fixtures::Rgb at(int x, int y) const {
    const std::size_t i = static_cast<std::size_t>(y) * stride;
    if (pixels == JpegPixels::Indexed8) {
      const JpegRgb c = colourMap.at(rows[i + static_cast<std::size_t>(x)]);
      return {c.red, c.green, c.blue};
    }
    const std::uint8_t* p = &rows[i + static_cast<std::size_t>(x) * 4];
    return {p[2], p[1], p[0]};
  }

  int width = 0;
  int height = 0;
  JpegPixels pixels = JpegPixels::Bgra32;
  std::size_t stride = 0;
  std::vector<std::uint8_t> rows;
  std::vector<JpegRgb> colourMap;
  int scans = 0;
  std::vector<int> percents;
};

fixtures::Rgb halves(int x, int /*y*/) {
  return x < 32 ? fixtures::Rgb{220, 30, 30} : fixtures::Rgb{30, 30, 220};
}

bool near(fixtures::Rgb a, fixtures::Rgb b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

}  // namespace

TEST(JpegDecoder, HeaderFactsOfEachKind) {
  const auto baseline = readJpegHeader(makeJpeg(70, 50, JpegKind::Baseline));
  ASSERT_TRUE(baseline);
  EXPECT_EQ(baseline->width, 70);
  EXPECT_EQ(baseline->height, 50);
  EXPECT_FALSE(baseline->greyscale);
  EXPECT_FALSE(baseline->multiScan);

  const auto progressive = readJpegHeader(makeJpeg(70, 50, JpegKind::Progressive));
  ASSERT_TRUE(progressive);
  EXPECT_TRUE(progressive->multiScan);
  EXPECT_FALSE(progressive->greyscale);

  const auto grey = readJpegHeader(makeJpeg(70, 50, JpegKind::Grey));
  ASSERT_TRUE(grey);
  EXPECT_TRUE(grey->greyscale);

  const std::vector<std::uint8_t> notJpeg = {'B', 'M', 0, 0, 0, 0};
  EXPECT_FALSE(readJpegHeader(notJpeg));
  EXPECT_FALSE(readJpegHeader({}));
}

TEST(JpegDecoder, ScalesRoundUpAndColoursSurvive) {
  const auto jpeg = makeJpeg(65, 33, JpegKind::Baseline, halves);
  for (const int d : {1, 2, 4, 8}) {
    BufferSink sink;
    JpegDecodeOptions options;
    options.scaleDenominator = d;
    options.dct = d == 1 ? JpegDct::Accurate : JpegDct::Fast;
    const JpegDecodeResult r = decodeJpeg(jpeg, options, sink);
    ASSERT_EQ(r.outcome, JpegOutcome::Complete) << d;
    EXPECT_EQ(r.outputWidth, jpegScaledSize(65, d));
    EXPECT_EQ(r.outputHeight, jpegScaledSize(33, d));
    EXPECT_EQ(sink.width, r.outputWidth);
    EXPECT_EQ(sink.scans, 1);
    EXPECT_TRUE(near(sink.at(0, 0), {220, 30, 30}, 24)) << d;
    EXPECT_TRUE(near(sink.at(sink.width - 1, sink.height - 1), {30, 30, 220}, 24)) << d;
    EXPECT_EQ(sink.percents.back(), 100);
  }
  EXPECT_EQ(jpegScaledSize(65, 2), 33);
  EXPECT_EQ(jpegScaledSize(6000, 8), 750);
}

TEST(JpegDecoder, GreyAndIndexedOutput) {
  BufferSink grey;
  EXPECT_EQ(decodeJpeg(makeJpeg(16, 16, JpegKind::Grey), {}, grey).outcome, JpegOutcome::Complete);
  const fixtures::Rgb g = grey.at(3, 3);
  EXPECT_EQ(g.r, g.g);
  EXPECT_EQ(g.g, g.b);

  BufferSink indexed;
  JpegDecodeOptions options;
  options.pixels = JpegPixels::Indexed8;
  const auto r = decodeJpeg(makeJpeg(64, 16, JpegKind::Baseline, halves), options, indexed);
  ASSERT_EQ(r.outcome, JpegOutcome::Complete);
  EXPECT_EQ(indexed.pixels, JpegPixels::Indexed8);
  EXPECT_GT(indexed.colourMap.size(), 8u);
  EXPECT_LE(indexed.colourMap.size(), 256u);
  EXPECT_TRUE(near(indexed.at(2, 8), {220, 30, 30}, 60));
  EXPECT_TRUE(near(indexed.at(60, 8), {30, 30, 220}, 60));
}

TEST(JpegDecoder, ProgressiveFileShowsEachScan) {
  const auto jpeg = makeJpeg(48, 40, JpegKind::Progressive, halves);
  BufferSink shown;
  JpegDecodeOptions options;
  options.showEachScan = true;
  const JpegDecodeResult r = decodeJpeg(jpeg, options, shown);
  ASSERT_EQ(r.outcome, JpegOutcome::Complete);
  EXPECT_GT(r.scansShown, 3);
  EXPECT_EQ(shown.scans, r.scansShown);
  EXPECT_TRUE(std::is_sorted(shown.percents.begin(), shown.percents.end()));
  EXPECT_EQ(shown.percents.back(), 100);

  // Without showing each scan, the picture is drawn once, and the same.
  BufferSink once;
  const JpegDecodeResult single = decodeJpeg(jpeg, {}, once);
  ASSERT_EQ(single.outcome, JpegOutcome::Complete);
  EXPECT_EQ(once.scans, 1);
  EXPECT_EQ(once.rows, shown.rows);
}

TEST(JpegDecoder, TruncatedFileShowsWhatDecoded) {
  for (const JpegKind kind : {JpegKind::Baseline, JpegKind::Progressive}) {
    auto jpeg = makeJpeg(128, 128, kind);
    jpeg.resize(jpeg.size() * 2 / 3);
    BufferSink sink;
    JpegDecodeOptions options;
    options.showEachScan = kind == JpegKind::Progressive;
    const JpegDecodeResult r = decodeJpeg(jpeg, options, sink);
    EXPECT_NE(r.outcome, JpegOutcome::Failed);
    EXPECT_GT(r.warnings, 0);
    EXPECT_GE(sink.scans, 1);
    EXPECT_TRUE(near(sink.at(1, 1), fixtures::gradient(1, 1), 40));
  }
  // Cut inside the header: nothing to show.
  auto header = makeJpeg(64, 64, JpegKind::Baseline);
  header.resize(100);
  BufferSink sink;
  EXPECT_EQ(decodeJpeg(header, {}, sink).outcome, JpegOutcome::Failed);
  EXPECT_EQ(sink.scans, 0);
}

TEST(JpegDecoder, RunawayScansStopAtTheLimit) {
  const auto runaway =
      fixtures::withRepeatedLastScan(makeJpeg(32, 32, JpegKind::Progressive, halves), 300);
  for (const bool each : {true, false}) {
    BufferSink sink;
    JpegDecodeOptions options;
    options.showEachScan = each;
    options.scanLimit = 100;
    const JpegDecodeResult r = decodeJpeg(runaway, options, sink);
    EXPECT_EQ(r.outcome, JpegOutcome::Partial);
    EXPECT_TRUE(r.scanLimitReached);
    EXPECT_EQ(r.scansShown, each ? 100 : 1);
    EXPECT_TRUE(near(sink.at(1, 1), {220, 30, 30}, 40));
  }
}

TEST(JpegDecoder, RefusesWhatItCannotDecode) {
  BufferSink sink;
  const std::vector<std::uint8_t> garbage(500, 0x42);
  const JpegDecodeResult bad = decodeJpeg(garbage, {}, sink);
  EXPECT_EQ(bad.outcome, JpegOutcome::Failed);
  EXPECT_FALSE(bad.error.empty());

  JpegDecodeOptions small;
  small.maxOutputPixels = 100;
  EXPECT_EQ(decodeJpeg(makeJpeg(20, 20, JpegKind::Baseline), small, sink).outcome,
            JpegOutcome::Failed);

  JpegDecodeOptions badScale;
  badScale.scaleDenominator = 3;
  EXPECT_EQ(decodeJpeg(makeJpeg(20, 20, JpegKind::Baseline), badScale, sink).outcome,
            JpegOutcome::Failed);

  // A sink without storage stops the decode without touching memory.
  class NoStorage : public BufferSink {
    std::uint8_t* allocate(int, int, JpegPixels, std::size_t&) override { return nullptr; }
  } none;
  EXPECT_EQ(decodeJpeg(makeJpeg(20, 20, JpegKind::Baseline), {}, none).outcome,
            JpegOutcome::Failed);
}
