#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <numeric>
#include <thread>

#include "GifTestClock.h"
#include "GifTestWriter.h"
#include "core/gif/GifImage.h"

namespace tossbox {
namespace {

using gif_test::FakeClock;
using gif_test::GifTestImage;
using gif_test::GifTestWriter;
using ::testing::ElementsAre;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kGrey = 0xFF808080;
const std::vector<std::uint32_t> kColours = {0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF};
constexpr PaintFlags kProgramFlags = DefaultPaintFlags.with(PaintFlag::pfDirect);

GifTestImage block(int left, int top, int width, int height, std::uint8_t index) {
  GifTestImage image;
  image.left = left;
  image.top = top;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<std::size_t>(width) * height, index);
  return image;
}

// The test thread is the user-interface thread; wake() tells that a painter waits in a call.
class CountingCaller : public QueuedUiThreadCaller {
 public:
  std::atomic<int> wakes{0};

 protected:
  void wake() override { ++wakes; }
};

// Aborts the test program if a step that must not block does block.
class Watchdog {
 public:
  explicit Watchdog(std::chrono::seconds limit)
      : thread_([this, limit] {
          std::unique_lock lock(mutex_);
          if (!done_.wait_for(lock, limit, [this] { return finished_; })) {
            std::fprintf(stderr, "deadlock: the watched step did not finish\n");
            std::abort();
          }
        }) {}
  ~Watchdog() {
    {
      std::lock_guard lock(mutex_);
      finished_ = true;
    }
    done_.notify_all();
    thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable done_;
  bool finished_ = false;
  std::thread thread_;
};

struct Rig {
  std::shared_ptr<CountingCaller> ui = std::make_shared<CountingCaller>();
  std::shared_ptr<FakeClock> clock;
  std::unique_ptr<TGIFImage> image;
  std::vector<int> painted;
  std::vector<int> passes;

  Rig(const Bytes& bytes, std::size_t freeWaits, PaintFlags flags = kProgramFlags)
      : clock(std::make_shared<FakeClock>(freeWaits)), image(std::make_unique<TGIFImage>(flags)) {
    image->loadFromMemory(bytes);
    image->setUiThreadCaller(ui);
    image->setClock(clock);
    GifPainterEvents events;
    events.onAfterFrame = [this](int frame) { painted.push_back(frame); };
    events.onStartPass = [this](int frame) { passes.push_back(frame); };
    image->setPainterEvents(events);
  }
  void serveUntil(const std::function<bool()>& done) {
    Watchdog watchdog(std::chrono::seconds(20));
    ui->serveUntil(done);
  }
};

Bytes threeFrames(int delay0, int delay1, int delay2, std::optional<int> loops) {
  GifTestWriter writer;
  writer.header(2, 2, kColours);
  if (loops) writer.loop(*loops);
  writer.control(1, delay0).image(block(0, 0, 2, 2, 1));
  writer.control(1, delay1).image(block(0, 0, 2, 2, 2));
  writer.control(1, delay2).image(block(0, 0, 2, 2, 3));
  return writer.trailer().bytes();
}

TEST(GifPainter, DelaysAreCountedInTwelveMillisecondUnits) {
  Rig rig(threeFrames(0, 2, 300, 0), 6);
  GifBitmap target(2, 2);
  GifBitmapCanvas canvas(target);
  rig.image->draw(canvas, {0, 0, 2, 2});
  rig.serveUntil([&] { return rig.clock->blocked(); });
  const auto waits = rig.clock->waits();
  ASSERT_GE(waits.size(), 7u);
  EXPECT_THAT(std::vector<long>(waits.begin(), waits.begin() + 6),
              ElementsAre(120, 48, 3600, 120, 48, 3600));
  EXPECT_THAT(rig.painted, ElementsAre(0, 1, 2, 0, 1, 2, 0));
  EXPECT_EQ(rig.image->painterCount(), 1) << "a loop count of 0 repeats until stopped";

  // Inside the draw call (not threaded) a long delay is cut to LongestDelay and waited in steps
  // of 100 ms.
  Bytes slow = GifTestWriter()
                   .header(1, 1, kColours)
                   .control(1, 1500)
                   .image(block(0, 0, 1, 1, 1))
                   .control(1, 1500)
                   .image(block(0, 0, 1, 1, 2))
                   .trailer()
                   .bytes();
  TGIFImage image(PaintFlag::pfAnimate);
  image.loadFromMemory(slow);
  auto clock = std::make_shared<FakeClock>();
  image.setClock(clock);
  GifBitmap small(1, 1);
  GifBitmapCanvas smallCanvas(small);
  EXPECT_EQ(image.StartPaint(smallCanvas, {0, 0, 1, 1}, PaintFlag::pfAnimate), nullptr);
  const auto steps = clock->waits();
  ASSERT_GT(steps.size(), 2u);
  EXPECT_EQ(steps[0], 12) << "the first frame waits one unit";
  EXPECT_EQ(std::accumulate(steps.begin() + 1, steps.end(), 0L), 12000);
  EXPECT_TRUE(std::all_of(steps.begin() + 1, steps.end(), [](long step) { return step <= 100; }));
  EXPECT_EQ(small.at(0, 0), kGreen);
}

TEST(GifPainter, LoopCountThreeGivesThreePassesAndKeepsTheLastFrame) {
  Bytes bytes = GifTestWriter()
                    .header(2, 2, kColours)
                    .loop(3)
                    .control(1, 1)
                    .image(block(0, 0, 2, 2, 1))
                    .control(1, 1)
                    .image(block(0, 0, 2, 2, 2))
                    .trailer()
                    .bytes();
  Rig rig(bytes, SIZE_MAX);
  GifBitmap target(4, 4);
  GifBitmapCanvas canvas(target);
  rig.image->draw(canvas, {0, 0, 2, 2});
  rig.serveUntil([&] { return rig.image->painterCount() == 0; });
  EXPECT_THAT(rig.painted, ElementsAre(0, 1, 0, 1, 0, 1));
  EXPECT_THAT(rig.passes, ElementsAre(0, 0, 0));
  EXPECT_EQ(target.at(1, 1), kGreen);
  EXPECT_EQ(target.at(2, 2), 0u) << "nothing outside the rectangle";

  // Drawing the played-out animation into the same place keeps its last frame.
  rig.image->draw(canvas, {0, 0, 2, 2});
  EXPECT_EQ(rig.image->painterCount(), 0);
  EXPECT_EQ(rig.painted.size(), 6u);
  // Another place plays it again from frame 0.
  rig.image->draw(canvas, {2, 2, 4, 4});
  rig.serveUntil([&] { return rig.image->painterCount() == 0; });
  EXPECT_EQ(rig.painted.size(), 12u);
  EXPECT_EQ(rig.painted[6], 0);
  EXPECT_EQ(target.at(3, 3), kGreen);

  // Without a loop extension, one pass.
  Rig once(threeFrames(1, 1, 1, std::nullopt), SIZE_MAX);
  once.image->draw(canvas, {0, 0, 2, 2});
  once.serveUntil([&] { return once.image->painterCount() == 0; });
  EXPECT_THAT(once.painted, ElementsAre(0, 1, 2));
}

TEST(GifPainter, DisposalTwoRestoresTheBackgroundUnderTheFrame) {
  // Frame 0 fills the screen, frame 1 (disposal 2) covers the middle pixel, frame 2 the right one.
  const auto bytes = [](int transparentIndex) {
    return GifTestWriter()
        .header(3, 1, kColours, 3)
        .control(1, 1)
        .image(block(0, 0, 3, 1, 1))
        .control(2, 1, transparentIndex)
        .image(block(1, 0, 1, 1, 2))
        .control(1, 1)
        .image(block(2, 0, 1, 1, 3))
        .trailer()
        .bytes();
  };
  for (const bool transparent : {true, false}) {
    PaintFlags flags = PaintFlag::pfThreaded | PaintFlag::pfAnimate;
    if (transparent) flags = flags.with(PaintFlag::pfTransparent);
    Rig rig(bytes(0), SIZE_MAX, flags.with(PaintFlag::pfDirect));
    GifBitmap target(3, 1, kGrey);
    GifBitmapCanvas canvas(target);
    std::vector<std::vector<std::uint32_t>> shown;
    GifPainterEvents events;
    events.onAfterFrame = [&](int) { shown.push_back(target.pixels); };
    rig.image->setPainterEvents(events);
    rig.image->draw(canvas, {0, 0, 3, 1});
    rig.serveUntil([&] { return rig.image->painterCount() == 0; });
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_THAT(shown[1], ElementsAre(kRed, kGreen, kRed));
    // With pfTransparent the background is what the canvas showed before; otherwise the
    // background colour of the file (index 3, blue).
    EXPECT_THAT(shown[2], ElementsAre(kRed, transparent ? kGrey : kBlue, kBlue))
        << "transparent " << transparent;
  }
}

TEST(GifPainter, SameRectangleKeepsTheAnimationAnotherRestartsIt) {
  Rig rig(threeFrames(0, 0, 0, 0), 1);
  GifBitmap target(4, 2);
  std::vector<GifRect> updates;
  GifBitmapCanvas canvas(target, [&](const GifRect& rect) { updates.push_back(rect); });
  rig.image->draw(canvas, {0, 0, 2, 2});
  rig.serveUntil([&] { return rig.clock->blocked() && rig.painted.size() == 2; });
  rig.image->draw(canvas, {0, 0, 2, 2});
  rig.ui->runPending();
  EXPECT_EQ(rig.image->painterCount(), 1);
  EXPECT_THAT(rig.painted, ElementsAre(0, 1));

  rig.image->draw(canvas, {2, 0, 4, 2});
  rig.serveUntil([&] { return rig.painted.size() == 3; });
  EXPECT_THAT(rig.painted, ElementsAre(0, 1, 0));
  EXPECT_TRUE(rig.clock->blockEndedByStop()) << "the old painter was stopped in its wait";
  EXPECT_EQ(updates.back(), (GifRect{2, 0, 4, 2}));
  EXPECT_EQ(target.at(3, 0), kRed);
  EXPECT_EQ(rig.image->painterCount(), 1);
}

TEST(GifPainter, OneFrameStartsNoPainter) {
  Bytes bytes = GifTestWriter()
                    .header(2, 2, kColours)
                    .control(1, 50)
                    .image(block(0, 0, 2, 2, 2))
                    .trailer()
                    .bytes();
  Rig rig(bytes, 0);
  GifBitmap target(2, 2);
  GifBitmapCanvas canvas(target);
  rig.image->draw(canvas, {0, 0, 2, 2});
  EXPECT_EQ(rig.image->painterCount(), 0);
  EXPECT_EQ(target.at(0, 0), kGreen);
  EXPECT_TRUE(rig.clock->waits().empty());
  EXPECT_EQ(rig.ui->wakes, 0);
}

TEST(GifPainter, DestroyingTheImageEndsALongDelayAtOnce) {
  Rig rig(threeFrames(300, 1, 1, 0), 0);
  GifBitmap target(2, 2);
  GifBitmapCanvas canvas(target);
  rig.image->draw(canvas, {0, 0, 2, 2});
  rig.serveUntil([&] { return rig.clock->blocked(); });
  EXPECT_THAT(rig.clock->waits(), ElementsAre(3600));
  const auto start = std::chrono::steady_clock::now();
  {
    Watchdog watchdog(std::chrono::seconds(10));
    rig.image.reset();
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  EXPECT_TRUE(rig.clock->blockEndedByStop());
  EXPECT_THAT(rig.painted, ElementsAre(0));
}

TEST(GifPainter, StopPaintServesThePaintersCallsWhileItWaits) {
  // No delays to wait: the painter soon waits in a call that only this thread can run.
  Rig rig(threeFrames(0, 0, 0, 0), SIZE_MAX);
  GifBitmap target(2, 2);
  GifBitmapCanvas canvas(target);
  const auto painter = rig.image->StartPaint(canvas, {0, 0, 2, 2}, kProgramFlags);
  ASSERT_NE(painter, nullptr);
  painter->start();
  for (int i = 0; i < 200 && rig.ui->wakes == 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ASSERT_GT(rig.ui->wakes, 0);
  {
    Watchdog watchdog(std::chrono::seconds(10));
    rig.image->StopPaint();
  }
  EXPECT_EQ(rig.image->painterCount(), 0);
  EXPECT_TRUE(painter->finished());
  EXPECT_EQ(painter->activeFrame(), -1);
  EXPECT_EQ(rig.image->CompositeBitmap()->depth, GifPixelDepth::Bits8);
}

TEST(GifPainter, FramesArePlacedScaledClippedAndMasked) {
  // A 2x2 screen with a 1x1 frame at (1,0) whose index 0 is transparent, and one outside.
  Bytes bytes = GifTestWriter()
                    .header(2, 2, kColours)
                    .control(1, 0, 0)
                    .image({1, 0, 1, 2, {2, 0}, {}})
                    .trailer()
                    .bytes();
  TGIFImage image;
  image.loadFromMemory(bytes);
  GifBitmap target(6, 6, kGrey);
  GifBitmapCanvas canvas(target);
  image.draw(canvas, {1, 1, 5, 5});  // twice the size, moved by (1,1)
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) {
      const bool green = x >= 3 && x < 5 && y >= 1 && y < 3;
      EXPECT_EQ(target.at(x, y), green ? kGreen : kGrey) << x << "," << y;
    }
  }
  // Without pfTransparent the transparent index is drawn in its colour.
  image.setPaintFlags(kProgramFlags.without(PaintFlag::pfTransparent));
  image.draw(canvas, {1, 1, 5, 5});
  EXPECT_EQ(target.at(3, 3), kWhite);

  // A frame reaching past the logical screen is cut at the picture's rectangle.
  Bytes outside =
      GifTestWriter().header(2, 2, kColours).image(block(1, 1, 3, 3, 1)).trailer().bytes();
  image.loadFromMemory(outside);
  GifBitmap wide(4, 4, kGrey);
  GifBitmapCanvas wideCanvas(wide);
  image.draw(wideCanvas, {0, 0, 2, 2});
  EXPECT_EQ(wide.at(1, 1), kRed);
  EXPECT_EQ(wide.at(2, 2), kGrey);
  EXPECT_EQ(wide.at(1, 2), kGrey);

  // pfDither without pfAutoDither maps the colours to the halftone palette.
  Bytes odd =
      GifTestWriter().header(1, 1, {0x1A5F80}).image(block(0, 0, 1, 1, 0)).trailer().bytes();
  TGIFImage dithered(PaintFlag::pfDither);
  dithered.loadFromMemory(odd);
  GifBitmap dot(1, 1);
  GifBitmapCanvas dotCanvas(dot);
  dithered.draw(dotCanvas, {0, 0, 1, 1});
  EXPECT_EQ(dot.at(0, 0), 0xFF336699u);
  EXPECT_EQ(halftonePalette()[1], 0xFF000033u);
  EXPECT_EQ(halftonePalette()[215], 0xFFFFFFFFu);
}

TEST(GifPainter, CompositeBitmapAndDrawingThroughIt) {
  // Frame 0 smaller than the screen: the composite is the background with frame 0 on it.
  Bytes bytes = GifTestWriter()
                    .header(3, 1, kColours, 3)
                    .control(1, 1)
                    .image(block(0, 0, 1, 1, 1))
                    .control(1, 1)
                    .image(block(1, 0, 1, 1, 2))
                    .trailer()
                    .bytes();
  Rig rig(bytes, SIZE_MAX, DefaultPaintFlags);
  const GifBitmap* composite = rig.image->CompositeBitmap();
  ASSERT_NE(composite, nullptr);
  EXPECT_EQ(composite->depth, GifPixelDepth::Bits8);
  EXPECT_THAT(composite->pixels, ElementsAre(kRed, kBlue, kBlue));
  rig.image->StopPaint();

  // Without pfDirect the painter paints into a composite bitmap and draw() waits for the first
  // frame, then shows the composite; later draws show the composite as it stands.
  Rig held(bytes, 0, DefaultPaintFlags);
  int changes = 0;
  held.image->setOnChange([&] { ++changes; });
  GifBitmap target(3, 1, kGrey);
  GifBitmapCanvas canvas(target);
  held.image->draw(canvas, {0, 0, 3, 1});
  EXPECT_THAT(target.pixels, ElementsAre(kRed, kGrey, kGrey));
  EXPECT_EQ(changes, 1);
  held.serveUntil([&] { return held.clock->blocked(); });
  GifBitmap other(6, 1, 0);
  GifBitmapCanvas otherCanvas(other);
  held.image->draw(otherCanvas, {0, 0, 6, 1});
  EXPECT_THAT(other.pixels, ElementsAre(kRed, kRed, kGrey, kGrey, kGrey, kGrey));
  EXPECT_EQ(held.image->painterCount(), 1);
  held.image->StopPaint();
  EXPECT_EQ(held.image->painterCount(), 0);

  TGIFImage empty;
  EXPECT_EQ(empty.CompositeBitmap(), nullptr);
}

}  // namespace
}  // namespace tossbox
