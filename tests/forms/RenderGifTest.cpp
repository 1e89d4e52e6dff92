#include <QElapsedTimer>
#include <QTest>
#include <filesystem>
#include <numeric>
#include <set>

#include "GifTestFiles.h"
#include "ProgramFixture.h"
#include "RenderTestFixture.h"
#include "forms/list/UList.h"
#include "forms/main/MainUnit.h"
#include "forms/render/DisplayDispatch.h"
#include "forms/render/PictureRenderers.h"
#include "forms/render/RenderGif.h"

using namespace tossbox;
using namespace gif_files;

namespace {

constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kBlue = qRgb(0, 0, 255);

QRgb centre(const PictureControl& control) {
  const QImage& image = control.shownImage();
  return image.pixel(image.width() / 2, image.height() / 2);
}

// Paint events a control receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
};

}  // namespace

TEST_F(RenderTest, GifRecordsTheFactsOfAStillAndAnAnimatedFile) {
  // One frame without extensions, 256 colours.
  std::vector<std::uint32_t> greys(256);
  std::iota(greys.begin(), greys.end(), 0u);
  for (auto& grey : greys) grey *= 0x010101;
  const auto still = GifTestWriter()
                         .header(100, 90, greys, 0, "GIF87a")
                         .image(block(100, 90, 200))
                         .trailer()
                         .bytes();
  const std::string stillPath = file("still one.gif", still);
  shown_.volume = 321;
  ASSERT_TRUE(RenderGif(services_, previewArgs(stillPath)));
  EXPECT_EQ(shown_.kind, 2);
  EXPECT_EQ(shown_.width, 100);
  EXPECT_EQ(shown_.height, 90);
  EXPECT_EQ(shown_.number, 1);
  EXPECT_EQ(shown_.version, "87a");
  EXPECT_EQ(shown_.colour, "7色");
  EXPECT_EQ(shown_.format, "CompServe GIF");
  EXPECT_EQ(shown_.depth, "8ﾋﾞｯﾄ RGBｶﾗｰ");
  EXPECT_EQ(shown_.fileSize, static_cast<std::int64_t>(still.size()));
  EXPECT_EQ(shown_.volume, 321);
  EXPECT_EQ(placed(*preview_), QRect(44, 30, 100, 90));
  EXPECT_FALSE(preview_->isHidden());
  ASSERT_FALSE(progress_.empty());
  EXPECT_EQ(progress_.front(), std::make_pair(ProgressStage::Starting, 0));
  EXPECT_EQ(progress_.back(), std::make_pair(ProgressStage::Ending, 100));
  EXPECT_EQ(rgb(preview_->picture().image()).pixel(50, 45), qRgb(200, 200, 200));

  // Shown and painted, it stays still: no painter, the picture itself is drawn.
  window_.show();
  preview_->repaint();
  EXPECT_FALSE(preview_->isAnimating());
  EXPECT_EQ(preview_->shownImage().cacheKey(), preview_->picture().image().cacheKey());

  // Two frames, the second with a 16-colour table of its own; the frames carry extensions.
  GifTestImage second = block(800, 600, 9);
  second.localColours.assign(16, 0x00FF00);
  const auto moving = GifTestWriter()
                          .header(800, 600, kColours)
                          .control(1, 10)
                          .image(block(800, 600, kRedIndex))
                          .control(1, 10)
                          .image(second)
                          .trailer()
                          .bytes();
  const std::string movingPath = file("moving.gif", moving);
  ASSERT_TRUE(RenderGif(services_, previewArgs(movingPath)));
  EXPECT_EQ(shown_.number, 2);
  EXPECT_EQ(shown_.version, "89a");
  EXPECT_EQ(shown_.colour, "3色");
  EXPECT_EQ(shown_.format, "GIF ｱﾆﾒｰｼｮﾝ");
  EXPECT_EQ(shown_.depth, "8ﾋﾞｯﾄ RGBｶﾗｰ");
  EXPECT_EQ(shown_.fileSize, static_cast<std::int64_t>(moving.size()));
  EXPECT_EQ(placed(*preview_), QRect(4, 7, 181, 135));
}

TEST_F(RenderTest, GifRendererDeclinesFilesThatAreNoGif) {
  fixtures::BmpLayout layout;
  layout.width = 8;
  layout.height = 6;
  layout.value = [](int x, int y) { return static_cast<std::uint32_t>(x * 20 + y * 0x1000); };
  const std::string bitmap = file("picture.gif", fixtures::makeBmp(layout));
  const auto animated = animation(4, 4, {{kRedIndex, 5}, {kBlueIndex, 5}});
  const std::string cut = file("cut.gif", {animated.begin(), animated.begin() + 10});
  const std::string noFrames =
      file("empty screen.gif", GifTestWriter().header(4, 4, kColours).trailer().bytes());
  const std::string empty = file("empty.gif", {});
  std::filesystem::create_directory(folder_ / "folder.gif");
  shown_.format = "before";
  for (const std::string& path : {bitmap, cut, noFrames, empty, (folder_ / "folder.gif").string(),
                                  (folder_ / "missing.gif").string()}) {
    EXPECT_FALSE(RenderGif(services_, previewArgs(path))) << path;
    EXPECT_EQ(shown_.format, "before") << path;
    EXPECT_TRUE(preview_->picture().isNull()) << path;
  }

  // The display fallback goes on to the renderer that can read it.
  RendererTable table;
  installPictureRenderers(table);
  std::vector<RendererId> tried;
  runDisplayDispatch(".gif", [&](RendererId id) {
    tried.push_back(id);
    return table.call(id, services_, previewArgs(bitmap));
  });
  ASSERT_FALSE(tried.empty());
  EXPECT_EQ(tried.front(), RendererId::Gif);
  EXPECT_EQ(shown_.kind, 3);
  EXPECT_EQ(preview_->picture().width(), 8);
}

TEST_F(RenderTest, GifPlaysWithItsDelaysUntilItIsCleared) {
  // Red for 30 hundredths (360 ms), blue for 5, repeated without end.
  const std::string path =
      file("slow red.gif", animation(20, 20, {{kRedIndex, 30}, {kBlueIndex, 5}}));
  ASSERT_TRUE(RenderGif(services_, previewArgs(path)));
  EXPECT_FALSE(preview_->isAnimating());
  window_.show();
  QElapsedTimer clock;
  clock.start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return centre(*preview_) == kRed; }, 3000));
  const qint64 red = clock.elapsed();
  EXPECT_TRUE(preview_->isAnimating());
  ASSERT_TRUE(QTest::qWaitFor([&] { return centre(*preview_) == kBlue; }, 3000));
  EXPECT_GE(clock.elapsed() - red, 200);
  // The picture stays frame 0; the frames go to the control's own backing image.
  EXPECT_EQ(rgb(preview_->picture().image()).pixel(10, 10), kRed);
  ASSERT_TRUE(QTest::qWaitFor([&] { return centre(*preview_) == kRed; }, 3000));

  preview_->clearPicture();
  EXPECT_FALSE(preview_->isAnimating());
  EXPECT_TRUE(preview_->shownImage().isNull());
  PaintCounter paints(*preview_);
  QTest::qWait(50);
  paints.count = 0;
  QTest::qWait(500);
  EXPECT_EQ(paints.count, 0);

  // Without a loop extension the animation plays once and keeps its last frame, also when
  // painted again.
  const std::string once = file("once.gif", GifTestWriter()
                                                .header(20, 20, kColours)
                                                .control(1, 4)
                                                .image(block(20, 20, kRedIndex))
                                                .control(1, 4)
                                                .image(block(20, 20, kBlueIndex))
                                                .trailer()
                                                .bytes());
  ASSERT_TRUE(RenderGif(services_, previewArgs(once)));
  preview_->repaint();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !preview_->isAnimating(); }, 3000));
  EXPECT_EQ(centre(*preview_), kBlue);
  preview_->repaint();
  QTest::qWait(100);
  EXPECT_FALSE(preview_->isAnimating());
  EXPECT_EQ(centre(*preview_), kBlue);
}

TEST_F(RenderTest, OtherTargetsPlayTheirOwnCopyOfThePreviewGif) {
  const std::string path = file("moving.gif", animation(40, 30, {{kRedIndex, 5}, {kBlueIndex, 5}}));
  ASSERT_TRUE(RenderGif(services_, previewArgs(path)));
  const ShownFileInfo facts = shown_;
  std::filesystem::remove(path);
  shown_ = ShownFileInfo{};

  // The information window: the preview's picture, fitted with the recorded size, no file read.
  other_->hide();
  ASSERT_TRUE(RenderGif(services_, RenderArgs{*other_, path, 1, 94, 116, 0}));
  EXPECT_EQ(other_->picture().source(), preview_->picture().source());
  EXPECT_EQ(placed(*other_), QRect(42, 37, 40, 30));
  EXPECT_FALSE(other_->isHidden());
  EXPECT_EQ(shown_.format, facts.format);
  EXPECT_EQ(shown_.fileSize, facts.fileSize);

  window_.show();
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return preview_->isAnimating() && other_->isAnimating(); }, 3000));
  // The preview moves on: the other copy plays on by itself.
  preview_->clearPicture();
  EXPECT_FALSE(preview_->isAnimating());
  std::set<QRgb> seen;
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        seen.insert(centre(*other_));
        return seen.count(kRed) == 1 && seen.count(kBlue) == 1;
      },
      3000));
  EXPECT_TRUE(other_->isAnimating());

  // Giving a control the picture it already shows keeps its animation.
  const Picture shown = other_->picture();
  other_->setPicture(shown);
  EXPECT_TRUE(other_->isAnimating());
}

TEST_F(RenderTest, DestroyingAControlDuringItsAnimationIsSafe) {
  const std::string slow =
      file("slow.gif", animation(10, 10, {{kRedIndex, 300}, {kBlueIndex, 300}}));
  const std::string quick =
      file("quick.gif", animation(10, 10, {{kRedIndex, 4}, {kBlueIndex, 4}, {kGreenIndex, 4}}));
  window_.show();
  for (const std::string& path : {slow, quick}) {
    ASSERT_TRUE(RenderGif(services_, previewArgs(path)));
    for (const int wait : {0, 5, 30, 70}) {
      auto* control = new PictureControl(&window_);
      control->setPicture(preview_->picture());
      control->setGeometry(200, 10, 30, 30);
      control->show();
      ASSERT_TRUE(QTest::qWaitFor([&] { return control->isAnimating(); }, 3000)) << path;
      QTest::qWait(wait);
      QElapsedTimer clock;
      clock.start();
      delete control;
      // A painter waiting out 3.6 s is woken, not waited for.
      EXPECT_LT(clock.elapsed(), 1000) << path << " after " << wait;
    }
  }
  // The preview is destroyed with the window while it plays.
  QTest::qWait(50);
  EXPECT_TRUE(preview_->isAnimating());
}

TEST_F(ProgramTest, ThePreviewAnimatesOnlyTheGifOnShow) {
  const std::filesystem::path folder = home.makeDir("gif pictures");
  fixtures::writeFile((folder / "moving.gif").string(),
                      animation(30, 20, {{kRedIndex, 5}, {kBlueIndex, 5}}));
  fixtures::writeFile(
      (folder / "still.gif").string(),
      GifTestWriter().header(30, 20, kColours).image(block(30, 20, kRedIndex)).trailer().bytes());
  start({folder.string()});
  PictureControl& preview = main().image1();
  const auto step = [&] {
    const bool first = program->form2().listBox1().selectedIndex() == 0;
    main().Image1MouseDown(first ? Qt::LeftButton : Qt::RightButton);
    main().Image1MouseUp();
  };
  const auto onShow = [&] {
    return std::filesystem::path(program->state().files.currentFile()).filename().string();
  };
  if (onShow() != "moving.gif") step();
  ASSERT_EQ(onShow(), "moving.gif");
  EXPECT_EQ(program->state().shown.format, "GIF ｱﾆﾒｰｼｮﾝ");
  ASSERT_TRUE(QTest::qWaitFor([&] { return preview.isAnimating(); }, 3000));

  // Moving on stops it at once; coming back starts it again.
  step();
  EXPECT_EQ(program->state().shown.format, "CompServe GIF");
  EXPECT_FALSE(preview.isAnimating());
  step();
  ASSERT_EQ(onShow(), "moving.gif");
  ASSERT_TRUE(QTest::qWaitFor([&] { return preview.isAnimating(); }, 3000));
  // The program ends while the preview plays.
  stop();
}
