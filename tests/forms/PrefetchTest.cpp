// Reading and decoding ahead: a flip to a prefetched JPEG, BMP, GIF or text shows what a fresh
// decode shows, a file replaced on disk is decoded afresh, the cache keeps its bounds with every
// kind in it, and quitting midway is clean.
#include <QElapsedTimer>
#include <chrono>
#include <thread>

#include "../core/picture/PictureFixtures.h"
#include "GifTestFiles.h"
#include "ProgramFixture.h"
#include "forms/list/UList.h"
#include "forms/picture/GifPictureSource.h"
#include "forms/picture/PictureControl.h"
#include "forms/render/Prefetch.h"

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

// A 24-bit bitmap of one colour, or an 8-bit one of a four-colour palette in stripes.
fixtures::ByteVector makeBmp(int width, int height, int bits,
                             fixtures::Rgb colour = {30, 90, 200}) {
  fixtures::BmpLayout layout;
  layout.width = width;
  layout.height = height;
  layout.bits = bits;
  if (bits == 8) {
    layout.palette = {{255, 255, 255}, colour, {0, 160, 0}, {0, 0, 0}};
    layout.value = [](int x, int y) { return static_cast<std::uint32_t>((x / 8 + y / 5) % 4); };
  } else {
    layout.value = [colour](int x, int) {
      return x % 7 == 0 ? 0x000000u : (std::uint32_t{colour.r} << 16) | (colour.g << 8) | colour.b;
    };
  }
  return fixtures::makeBmp(layout);
}

fixtures::ByteVector makeText(const std::string& word, int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i) text += word + " " + std::to_string(i) + "\r\n";
  return {text.begin(), text.end()};
}

fixtures::ByteVector makeGif() {
  using namespace gif_files;
  return animation(60, 40, {{kRedIndex, 10}, {kBlueIndex, 10}, {kGreenIndex, 10}});
}

template <typename Kind>
const Kind* decodedAs(const std::shared_ptr<const PrefetchedEntry>& entry) {
  return entry ? std::get_if<Kind>(&entry->decoded) : nullptr;
}

std::vector<std::string> linesOf(const TextLines& lines) {
  std::vector<std::string> all;
  for (std::size_t i = 0; i < lines.size(); ++i) all.emplace_back(lines[i]);
  return all;
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
  std::vector<std::string> lines;
  QString status;
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
    const auto ask = program->renderServices().prefetched;
    program->renderServices().prefetched = [this, ask](const std::string& file) {
      auto entry = ask(file);
      if (entry) ++prefetchedUsed;
      return entry;
    };
  }

  std::string path(const std::string& name) { return (home.root() / "pictures" / name).string(); }

  Shown shownNow() {
    PictureControl& preview = main().image1();
    Shown shown{
        preview.picture().image(),           preview.geometry(), program->state().shown, told,
        linesOf(program->state().textLines), main().statusText()};
    told.clear();
    return shown;
  }

  void step() {
    told.clear();
    main().Image1MouseDown(Qt::LeftButton);
    main().Image1MouseUp();
  }

  // Shows the entry on show again with nothing prefetched.
  Shown shownFresh() {
    program->prefetch().want({});
    main().ShowCurrent();
    return shownNow();
  }

  void expectSameShowing(const Shown& prefetched, const Shown& fresh, const std::string& name) {
    EXPECT_FALSE(prefetched.pixels.isNull()) << name;
    EXPECT_EQ(prefetched.pixels, fresh.pixels) << name;
    EXPECT_EQ(prefetched.geometry, fresh.geometry) << name;
    EXPECT_TRUE(sameFacts(prefetched.facts, fresh.facts)) << name;
    EXPECT_EQ(prefetched.progress, fresh.progress) << name;
    EXPECT_EQ(prefetched.lines, fresh.lines) << name;
    EXPECT_EQ(prefetched.status, fresh.status) << name;
  }

  const GifPictureSource* shownGif() {
    return dynamic_cast<const GifPictureSource*>(main().image1().picture().source().get());
  }

  std::vector<std::pair<ProgressStage, int>> told;
  int prefetchedUsed = 0;
};

TEST_F(PrefetchTest, APrefetchedJpegShowsAsAFreshDecodeDoes) {
  startWith({{"a.jpg", makeJpeg(640, 480, JpegKind::Baseline)},
             {"b.jpg", makeJpeg(1600, 1200, JpegKind::Progressive)},
             {"c.jpg", makeJpeg(900, 1400, JpegKind::Baseline)}});
  for (const std::string name : {"b.jpg", "c.jpg"}) {
    program->prefetch().waitUntilIdle();
    ASSERT_NE(program->prefetch().ready(path(name)), nullptr) << name;
    step();
    ASSERT_EQ(program->state().files.currentFile(), path(name));
    const Shown prefetched = shownNow();

    // The same showing without the prefetch.
    program->prefetch().want({});
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

TEST_F(PrefetchTest, PrefetchedBitmapsGifsAndTextsShowAsAFreshDecodeDoes) {
  const std::string rtf = "{\\rtf1\\ansi First line\\par Second line\\par}";
  startWith({{"a.jpg", makeJpeg(320, 240, JpegKind::Baseline)},
             {"b.bmp", makeBmp(300, 200, 24)},
             {"c.bmp", makeBmp(257, 131, 8)},
             {"d.gif", makeGif()},
             {"e.txt", makeText("line", 40)},
             {"f.rtf", {rtf.begin(), rtf.end()}}});
  for (const std::string name : {"b.bmp", "c.bmp", "d.gif", "e.txt", "f.rtf"}) {
    program->prefetch().waitUntilIdle();
    const std::shared_ptr<const PrefetchedEntry> entry = program->prefetch().ready(path(name));
    ASSERT_NE(entry, nullptr) << name;
    prefetchedUsed = 0;
    step();
    ASSERT_EQ(program->state().files.currentFile(), path(name));
    EXPECT_EQ(prefetchedUsed, 1) << name;
    const Shown prefetched = shownNow();
    if (const auto* bitmap = decodedAs<DecodedBitmap>(entry)) {
      // The very picture the worker decoded, not another decode of it.
      EXPECT_EQ(prefetched.pixels.cacheKey(), bitmap->image.cacheKey());
      EXPECT_EQ(prefetched.facts.width, name == "b.bmp" ? 300 : 257);
    } else if (const auto* gif = decodedAs<PrefetchedGif>(entry)) {
      ASSERT_NE(shownGif(), nullptr);
      EXPECT_EQ(&shownGif()->image(), gif->gif.image.get());
      EXPECT_EQ(prefetched.facts.number, 3);
      ASSERT_FALSE(prefetched.progress.empty());
      EXPECT_EQ(prefetched.progress.back(), std::make_pair(ProgressStage::Ending, 100));
    } else {
      ASSERT_NE(decodedAs<PrefetchedText>(entry), nullptr) << name;
      EXPECT_EQ(prefetched.lines.size(), name == "e.txt" ? 40u : 2u);
    }

    prefetchedUsed = 0;
    const Shown fresh = shownFresh();
    EXPECT_EQ(prefetchedUsed, 0);
    expectSameShowing(prefetched, fresh, name);
    if (name == "d.gif") {
      EXPECT_NE(&shownGif()->image(), decodedAs<PrefetchedGif>(entry)->gif.image.get());
    }
  }
}

TEST_F(PrefetchTest, AFileReplacedAfterItsPrefetchIsDecodedAfresh) {
  const std::vector<std::pair<std::string, std::pair<fixtures::ByteVector, fixtures::ByteVector>>>
      kinds = {
          {"b.jpg",
           {makeJpeg(320, 240, JpegKind::Baseline), makeJpeg(320, 240, JpegKind::Baseline, red)}},
          {"b.bmp", {makeBmp(120, 80, 24), makeBmp(120, 80, 24, {200, 20, 20})}},
          {"b.txt", {makeText("before", 30), makeText("after!", 30)}},
          {"b.gif", {makeGif(), gif_files::animation(60, 40, {{gif_files::kRedIndex, 10}})}},
      };
  for (const auto& [name, contents] : kinds) {
    startWith({{"a.jpg", makeJpeg(320, 240, JpegKind::Baseline)}, {name, contents.first}});
    program->prefetch().waitUntilIdle();
    const std::shared_ptr<const PrefetchedEntry> entry = program->prefetch().ready(path(name));
    ASSERT_NE(entry, nullptr) << name;
    // Another file under the same name, of the same time.
    const fs::path b = path(name);
    const auto time = fs::last_write_time(b);
    writeBytes(b.string() + ".new", contents.second);
    fs::rename(b.string() + ".new", b);
    fs::last_write_time(b, time);
    prefetchedUsed = 0;
    step();
    EXPECT_EQ(prefetchedUsed, 0) << name;
    const Shown shown = shownNow();
    if (name == "b.txt") {
      ASSERT_FALSE(shown.lines.empty());
      EXPECT_EQ(shown.lines.front(), "after! 0");
    } else if (name == "b.gif") {
      EXPECT_EQ(shown.facts.number, 1);
    } else {
      const QRgb middle = shown.pixels.pixel(shown.pixels.width() / 2, shown.pixels.height() / 2);
      EXPECT_GT(qRed(middle), 150) << name;
      EXPECT_LT(qGreen(middle), 80) << name;
    }
    expectSameShowing(shown, shownFresh(), name);
    stop();
  }
}

TEST_F(PrefetchTest, TheCacheKeepsItsBoundsAndOnlyWhatIsWanted) {
  EXPECT_EQ(Prefetch::kMaxEntries, 3u);
  EXPECT_EQ(Prefetch::kMaxBytes, std::uint64_t{256} << 20);
  const fs::path folder = home.makeDir("many");
  std::vector<PrefetchRequest> wanted;
  for (int i = 0; i < 5; ++i) {
    const fs::path file = folder / ("p" + std::to_string(i) + ".jpg");
    writeBytes(file, makeJpeg(400, 300, JpegKind::Baseline));
    wanted.push_back({.path = file.string(), .fast = false, .boxHeight = 140, .boxWidth = 181});
  }
  Prefetch prefetch;
  prefetch.want(wanted);
  prefetch.waitUntilIdle();
  EXPECT_EQ(prefetch.entries(), 3u);
  // The most wanted are kept; more than the cache holds are not decoded at all.
  EXPECT_NE(prefetch.ready(wanted[0].path), nullptr);
  EXPECT_NE(prefetch.ready(wanted[2].path), nullptr);
  EXPECT_EQ(prefetch.ready(wanted[4].path), nullptr);

  // A byte bound that holds one picture of 400 x 300 but not two.
  Prefetch small(3, 700'000);
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

TEST_F(PrefetchTest, TheBoundsHoldWithEveryKindCountedAtItsCost) {
  const fs::path folder = home.makeDir("mixed");
  const auto file = [&](const std::string& name, const fixtures::ByteVector& bytes) {
    writeBytes(folder / name, bytes);
    return (folder / name).string();
  };
  const std::vector<PrefetchRequest> wanted = {
      {.path = file("big.bmp", makeBmp(1000, 800, 24)), .renderer = RendererId::Bitmap},
      {.path = file("anim.gif", makeGif()), .renderer = RendererId::Gif},
      {.path = file("notes.txt", makeText("note", 2000)), .renderer = RendererId::Text},
      {.path = file("photo.jpg", makeJpeg(400, 300, JpegKind::Baseline))},
      {.path = file("more.txt", makeText("more", 10)), .renderer = RendererId::Text},
  };
  Prefetch prefetch;
  prefetch.want(wanted);
  prefetch.waitUntilIdle();
  EXPECT_EQ(prefetch.entries(), 3u);
  const auto bitmap = prefetch.ready(wanted[0].path);
  const auto gif = prefetch.ready(wanted[1].path);
  const auto text = prefetch.ready(wanted[2].path);
  ASSERT_NE(decodedAs<DecodedBitmap>(bitmap), nullptr);
  ASSERT_NE(decodedAs<PrefetchedGif>(gif), nullptr);
  ASSERT_NE(decodedAs<PrefetchedText>(text), nullptr);
  EXPECT_EQ(prefetch.ready(wanted[3].path), nullptr);
  // What the cache counts is what the entries hold: the bitmap's pixels, the GIF's frames and
  // still, the text's lines.
  EXPECT_EQ(prefetch.bytes(), bitmap->memoryCost() + gif->memoryCost() + text->memoryCost());
  EXPECT_GE(bitmap->memoryCost(), 1000u * 800 * 4);
  EXPECT_GE(gif->memoryCost(), 3u * 60 * 40);
  EXPECT_GE(text->memoryCost(), 2000u * 8);

  // A bound the bitmap alone is over: it is not kept, and the smaller kinds are.
  Prefetch small(3, 1'000'000);
  small.want(wanted);
  small.waitUntilIdle();
  EXPECT_EQ(small.ready(wanted[0].path), nullptr);
  EXPECT_NE(small.ready(wanted[1].path), nullptr);
  EXPECT_NE(small.ready(wanted[2].path), nullptr);
  EXPECT_LE(small.bytes(), 1'000'000u);

  // Entries of a list that moved on go, whatever their kind.
  prefetch.want({wanted[1]});
  EXPECT_EQ(prefetch.entries(), 1u);
  EXPECT_NE(prefetch.ready(wanted[1].path), nullptr);
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
    auto prefetch = std::make_unique<Prefetch>();
    prefetch->want({request});
    std::this_thread::sleep_for(std::chrono::milliseconds(pause));
    QElapsedTimer quitting;
    quitting.start();
    prefetch.reset();
    EXPECT_LT(quitting.elapsed(), std::max<qint64>(decodeMs / 2, 1)) << "after " << pause << " ms";
  }

  // A long text, given up between two pieces of its reading.
  const fs::path text = folder / "long.txt";
  {
    std::ofstream out(text, std::ios::binary);
    const std::string line(1023, 'x');
    for (int i = 0; i < 96 * 1024; ++i) out << line << '\n';
  }
  const PrefetchRequest reading{.path = text.string(), .renderer = RendererId::Text};
  whole.restart();
  const auto lines = decodeAhead(reading, [] { return false; });
  const qint64 readMs = whole.elapsed();
  ASSERT_NE(decodedAs<PrefetchedText>(lines), nullptr);
  EXPECT_EQ(decodedAs<PrefetchedText>(lines)->lines.lineCount(), 96u * 1024);
  for (int pause : {0, 5}) {
    auto prefetch = std::make_unique<Prefetch>();
    prefetch->want({reading});
    std::this_thread::sleep_for(std::chrono::milliseconds(pause));
    QElapsedTimer quitting;
    quitting.start();
    prefetch.reset();
    EXPECT_LT(quitting.elapsed(), std::max<qint64>(readMs / 2, 1)) << "after " << pause << " ms";
  }

  // And the whole program, closed while its first neighbours decode.
  writeBytes(folder / "next.jpg", makeJpeg(4000, 3000, JpegKind::Progressive));
  start({file.string(), (folder / "next.jpg").string()});
  QElapsedTimer closing;
  closing.start();
  stop();
  EXPECT_LT(closing.elapsed(), decodeMs);
}
