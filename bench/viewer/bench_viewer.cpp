// Stepping through 24-megapixel JPEGs with the enlarged viewer open at full screen, in the
// offscreen program: the preview's small decode, the viewer's full-size decode and the first
// paint of both, against a bare full-size libjpeg decode of the same file in the same run.
#include <benchmark/benchmark.h>
#include <jpeglib.h>

#include <QImage>
#include <QToolButton>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "../../tests/core/picture/PictureFixtures.h"
#include "TempHome.h"
#include "forms/list/UList.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"
#include "forms/picture/PictureControl.h"
#include "forms/viewer/ULarge.h"
#include "platform/ui/TossboxApplication.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;
constexpr int kFiles = 2;

tossbox::TossboxApplication* application = nullptr;

fixtures::Rgb photoLike(int x, int y) {
  const int n = (x * 2654435761u ^ y * 40503u) >> 27;
  return {static_cast<std::uint8_t>((x / 23 + n) & 0xFF),
          static_cast<std::uint8_t>((y / 17 + n) & 0xFF),
          static_cast<std::uint8_t>(((x + y) / 31) & 0xFF)};
}

struct Photos {
  TempHome home;
  fs::path folder = home.makeDir("large photos");
  fixtures::ByteVector bytes;

  Photos() {
    bytes = fixtures::makeJpeg(kWidth, kHeight, fixtures::JpegKind::Baseline, photoLike, 90);
    for (int n = 0; n < kFiles; ++n)
      fixtures::writeFile((folder / ("photo " + std::to_string(n) + ".jpg")).string(), bytes);
    std::printf("%d x %d baseline JPEG: %zu bytes\n", kWidth, kHeight, bytes.size());
  }
};

Photos& photos() {
  static Photos made;
  return made;
}

// Argument 1: the viewer open at full screen; 0: the preview alone, what any step costs.
void StepThroughLargePhotos(benchmark::State& state) {
  const bool viewerOpen = state.range(0) == 1;
  Photos& files = photos();
  tossbox::Program program(application->messageBoxes(), {files.folder.string()});
  program.setPause([](int) {});
  program.showMainWindow();
  QCoreApplication::processEvents();
  tossbox::TForm1& main = program.form1();
  tossbox::TForm3& viewer = program.form3();
  if (viewerOpen) {
    main.speedButton(1).click();
    viewer.N2Click();
  }
  if (viewerOpen && (!viewer.isVisible() || program.state().viewerMode != 1)) {
    state.SkipWithError("the viewer did not open at full screen");
    return;
  }
  QImage screen(viewer.size(), QImage::Format_RGB32);
  tossbox::EntryListBox& list = program.form2().listBox1();
  int row = 0;
  for (auto _ : state) {
    row = (row + 1) % kFiles;
    list.setSelectedIndex(row);
    main.ShowCurrent();
    if (viewerOpen) viewer.render(&screen);
  }
  state.counters["picture_w"] = viewer.image1().picture().width();
  state.counters["control_w"] = viewer.image1().width();
}

// libjpeg alone, from memory, RGB out at full size with the accurate DCT the viewer asks for.
void BareFullSizeDecode(benchmark::State& state) {
  const auto& bytes = photos().bytes;
  std::vector<std::uint8_t> rgb;
  for (auto _ : state) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&cinfo);
    const std::size_t stride = std::size_t{cinfo.output_width} * cinfo.output_components;
    rgb.resize(stride * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = rgb.data() + stride * cinfo.output_scanline;
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    benchmark::DoNotOptimize(rgb.data());
  }
}

BENCHMARK(BareFullSizeDecode)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK(StepThroughLargePhotos)
    ->ArgName("viewer")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3.0)
    ->UseRealTime();

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      times_[run.run_name.function_name + "/" + run.run_name.args] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const double bare = times_["BareFullSizeDecode/"];
    if (bare <= 0) return;
    std::printf("step with the viewer / bare full-size decode: %.3f (aim <= 1.1)\n",
                times_["StepThroughLargePhotos/viewer:1"] / bare);
    std::printf("step, preview alone / bare full-size decode:  %.3f (its own 1/8 decode)\n",
                times_["StepThroughLargePhotos/viewer:0"] / bare);
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  tossbox::TossboxApplication app(argc, argv);
  application = &app;
  app.messageBoxes().setResponder(
      [](const tossbox::BoxRequest&) { return tossbox::BoxAnswer::Ok; });
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
