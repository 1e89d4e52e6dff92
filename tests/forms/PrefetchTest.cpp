// Reading and decoding ahead: a flip to a prefetched JPEG shows what a fresh decode shows, a file
// replaced on disk is decoded afresh, the cache keeps its bounds, and quitting midway is clean.
#include <QElapsedTimer>
#include <chrono>
#include <thread>

#include "../core/picture/PictureFixtures.h"
#include "ProgramFixture.h"
#include "forms/list/UList.h"
#include "forms/picture/PictureControl.h"
#include "forms/render/JpegPrefetch.h"

using namespace tossbox;
using fixtures::JpegKind;
using fixtures::makeJpeg;
namespace fs = std::filesystem;

namespace {

void writeBytes(const fs::path& file, const fixtures::ByteVector& bytes) {
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

fixtures::Rgb red(int, int) {
  return {200, 20, 20};
}

bool sameFacts(const ShownFileInfo& a, const ShownFileInfo& b) {
  return a.kind == b.kind && a.width == b.width && a.height == b.height && a.number == b.number &&
         a.version == b.version && a.fileSize == b.fileSize && a.format == b.format &&
         a.colour == b.colour && a.depth == b.depth && a.volume == b.volume;
}

// What the preview shows of a file, and what the showing told.
struct Shown {
  QImage pixels;
  QRect geometry;
  ShownFileInfo facts;
  std::vector<std::pair<ProgressStage, int>> progress;
};

}  // namespace

class PrefetchTest : public ProgramTest {
 protected:
  void startWith(const std::vector<std::pair<std::string, fixtures::ByteVector>>& files) {
    const fs::path folder = home.makeDir("pictures");
    std::vector<std::string> paths;
    for (const auto& [name, bytes] : files) {
      writeBytes(folder / name, bytes);
      paths.push_back((folder / name).string());
    }
    start(paths);
    const auto forward = program->renderServices().progress;
    program->renderServices().progress = [this, forward](ProgressStage stage, int percent) {
      told.emplace_back(stage, percent);
      forward(stage, percent);
    };
  }

  std::string path(const std::string& name) { return (home.root() / "pictures" / name).string(); }

  Shown shownNow() {
    PictureControl& preview = main().image1();
    Shown shown{preview.picture().image(), preview.geometry(), program->state().shown, told};
    told.clear();
    return shown;
  }

  void step() {
    told.clear();
    main().Image1MouseDown(Qt::LeftButton);
    main().Image1MouseUp();
  }

  std::vector<std::pair<ProgressStage, int>> told;
};

TEST_F(PrefetchTest, APrefetchedJpegShowsAsAFreshDecodeDoes) {
  startWith({{"a.jpg", makeJpeg(640, 480, JpegKind::Baseline)},
             {"b.jpg", makeJpeg(1600, 1200, JpegKind::Progressive)},
             {"c.jpg", makeJpeg(900, 1400, JpegKind::Baseline)}});
  for (const std::string name : {"b.jpg", "c.jpg"}) {
    program->jpegPrefetch().waitUntilIdle();
    ASSERT_NE(program->jpegPrefetch().ready(path(name)), nullptr) << name;
    step();
    ASSERT_EQ(program->state().files.currentFile(), path(name));
    const Shown prefetched = shownNow();

    // The same showing without the prefetch.
    program->jpegPrefetch().want({});
    main().ShowCurrent();
    const Shown fresh = shownNow();

    EXPECT_FALSE(prefetched.pixels.isNull());
    EXPECT_EQ(prefetched.pixels, fresh.pixels) << name;
    EXPECT_EQ(prefetched.geometry, fresh.geometry);
    EXPECT_TRUE(sameFacts(prefetched.facts, fresh.facts));
    EXPECT_EQ(prefetched.facts.width, name == "b.jpg" ? 1600 : 900);
    EXPECT_EQ(prefetched.progress, fresh.progress);
    ASSERT_FALSE(prefetched.progress.empty());
    EXPECT_EQ(prefetched.progress.back(), std::make_pair(ProgressStage::Ending, 100));
    EXPECT_EQ(main().statusText(), QString::fromStdString(name));
  }
}

TEST_F(PrefetchTest, AFileReplacedAfterItsPrefetchIsDecodedAfresh) {
  startWith({{"a.jpg", makeJpeg(320, 240, JpegKind::Baseline)},
             {"b.jpg", makeJpeg(320, 240, JpegKind::Baseline)}});
  program->jpegPrefetch().waitUntilIdle();
  ASSERT_NE(program->jpegPrefetch().ready(path("b.jpg")), nullptr);
  // Another picture under the same name, of the same size and time.
  const fs::path b = path("b.jpg");
  const auto time = fs::last_write_time(b);
  writeBytes(b.string() + ".new", makeJpeg(320, 240, JpegKind::Baseline, red));
  fs::rename(b.string() + ".new", b);
  fs::last_write_time(b, time);
  step();
  const QImage shown = shownNow().pixels;
  const QRgb middle = shown.pixel(shown.width() / 2, shown.height() / 2);
  EXPECT_GT(qRed(middle), 150);
  EXPECT_LT(qGreen(middle), 80);
  program->jpegPrefetch().want({});
  main().ShowCurrent();
  EXPECT_EQ(shownNow().pixels, shown);
}

TEST_F(PrefetchTest, TheCacheKeepsItsBoundsAndOnlyWhatIsWanted) {
  EXPECT_EQ(JpegPrefetch::kMaxEntries, 3u);
  EXPECT_EQ(JpegPrefetch::kMaxBytes, std::uint64_t{256} << 20);
  const fs::path folder = home.makeDir("many");
  std::vector<PrefetchRequest> wanted;
  for (int i = 0; i < 5; ++i) {
    const fs::path file = folder / ("p" + std::to_string(i) + ".jpg");
    writeBytes(file, makeJpeg(400, 300, JpegKind::Baseline));
    wanted.push_back({.path = file.string(), .fast = false, .boxHeight = 140, .boxWidth = 181});
  }
  JpegPrefetch prefetch;
  prefetch.want(wanted);
  prefetch.waitUntilIdle();
  EXPECT_EQ(prefetch.entries(), 3u);
  // The most wanted are kept; more than the cache holds are not decoded at all.
  EXPECT_NE(prefetch.ready(wanted[0].path), nullptr);
  EXPECT_NE(prefetch.ready(wanted[2].path), nullptr);
  EXPECT_EQ(prefetch.ready(wanted[4].path), nullptr);

  // A byte bound that holds one picture of 400 x 300 but not two.
  JpegPrefetch small(3, 700'000);
  small.want(wanted);
  small.waitUntilIdle();
  EXPECT_EQ(small.entries(), 1u);
  EXPECT_LE(small.bytes(), 700'000u);

  // The list moved on: what it no longer wants is gone.
  prefetch.want({wanted[0]});
  EXPECT_EQ(prefetch.ready(wanted[1].path), nullptr);
  prefetch.waitUntilIdle();
  EXPECT_EQ(prefetch.entries(), 1u);
  EXPECT_NE(prefetch.ready(wanted[0].path), nullptr);

  // A file that is no JPEG is tried once and then left alone.
  const fs::path bad = folder / "bad.jpg";
  writeBytes(bad, {0xff, 0xd8, 0x00});
  prefetch.want({{.path = bad.string()}});
  prefetch.waitUntilIdle();
  EXPECT_EQ(prefetch.entries(), 0u);
}

TEST_F(PrefetchTest, QuittingDuringAPrefetchEndsAtOnce) {
  const fs::path folder = home.makeDir("big");
  const fs::path file = folder / "big.jpg";
  writeBytes(file, makeJpeg(4000, 3000, JpegKind::Progressive));
  const PrefetchRequest request{
      .path = file.string(), .fast = false, .boxHeight = 3000, .boxWidth = 4000};
  QElapsedTimer whole;
  whole.start();
  ASSERT_NE(decodeAhead(request, [] { return false; }), nullptr);
  const qint64 decodeMs = whole.elapsed();

  for (int pause : {0, 5, 50}) {
    auto prefetch = std::make_unique<JpegPrefetch>();
    prefetch->want({request});
    std::this_thread::sleep_for(std::chrono::milliseconds(pause));
    QElapsedTimer quitting;
    quitting.start();
    prefetch.reset();
    EXPECT_LT(quitting.elapsed(), std::max<qint64>(decodeMs / 2, 1)) << "after " << pause << " ms";
  }

  // And the whole program, closed while its first neighbours decode.
  writeBytes(folder / "next.jpg", makeJpeg(4000, 3000, JpegKind::Progressive));
  start({file.string(), (folder / "next.jpg").string()});
  QElapsedTimer closing;
  closing.start();
  stop();
  EXPECT_LT(closing.elapsed(), decodeMs);
}
