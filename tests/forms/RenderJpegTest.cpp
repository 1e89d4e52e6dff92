#include "forms/render/RenderJpeg.h"

#include <QEvent>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "RenderTestFixture.h"
#include "WaitingFifo.h"
#include "core/picture/JpegRetryCopy.h"
#include "forms/picture/JpegPictureSource.h"
#include "forms/render/RenderBitmap.h"

using namespace tossbox;
using fixtures::JpegKind;
using fixtures::makeJpeg;
namespace fs = std::filesystem;

namespace {

// Counts the paints a control receives.
class PaintCounter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
  int paints = 0;
};

}  // namespace

TEST_F(RenderTest, SmallJpegShowsAtHalfItsSizeWithItsFacts) {
  const auto bytes = makeJpeg(100, 90, JpegKind::Baseline);
  const std::string path = file("small one.jpg", bytes);
  shown_.volume = 7;
  shown_.version = "89a";
  ASSERT_TRUE(RenderJpeg(services_, previewArgs(path)));

  // Half scale, 50 x 45, never enlarged in the 181 x 140 box.
  EXPECT_EQ(placed(*preview_), QRect(69, 52, 50, 45));
  EXPECT_EQ(preview_->picture().width(), 50);
  EXPECT_EQ(preview_->picture().height(), 45);
  EXPECT_FALSE(preview_->isHidden());

  EXPECT_EQ(shown_.kind, 1);
  EXPECT_EQ(shown_.width, 100);
  EXPECT_EQ(shown_.height, 90);
  EXPECT_EQ(shown_.number, 90);
  EXPECT_EQ(shown_.version, "");
  EXPECT_EQ(shown_.colour, "ｶﾗｰ");
  EXPECT_EQ(shown_.format, "JPG ｲﾒｰｼﾞ");
  EXPECT_EQ(shown_.depth, "24ﾋﾞｯﾄ RGBｶﾗｰ");
  EXPECT_EQ(shown_.fileSize, static_cast<std::int64_t>(bytes.size()));
  EXPECT_EQ(shown_.volume, 7);  // not a JPEG field: kept

  ASSERT_GE(progress_.size(), 2u);
  EXPECT_EQ(progress_.front(), std::make_pair(ProgressStage::Starting, 0));
  EXPECT_EQ(progress_.back(), std::make_pair(ProgressStage::Ending, 100));
  for (std::size_t i = 1; i + 1 < progress_.size(); ++i) {
    EXPECT_EQ(progress_[i].first, ProgressStage::Running);
    EXPECT_LT(progress_[i].second, 100);
  }
  // No copy was needed.
  EXPECT_FALSE(std::filesystem::exists(temp_ / "ppp.jpg"));
}

TEST_F(RenderTest, ProgressiveGreyAndEightBitFacts) {
  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  PaintCounter counter;
  preview_->installEventFilter(&counter);
  const std::string progressive = file("p.jpeg", makeJpeg(300, 200, JpegKind::Progressive));
  ASSERT_TRUE(RenderJpeg(services_, previewArgs(progressive)));
  EXPECT_EQ(shown_.format, "JPEG ｲﾒｰｼﾞ");
  EXPECT_EQ(shown_.colour, "ｶﾗｰ");
  // Each finished scan was painted while the rest decoded.
  EXPECT_GT(counter.paints, 3);
  const auto running = std::count_if(progress_.begin(), progress_.end(), [](const auto& p) {
    return p.first == ProgressStage::Running;
  });
  EXPECT_GT(running, 1);

  const std::string grey = file("g.jpg", makeJpeg(64, 64, JpegKind::Grey));
  ASSERT_TRUE(RenderJpeg(services_, previewArgs(grey)));
  EXPECT_EQ(shown_.colour, "ｸﾞﾚｰ");
  EXPECT_EQ(shown_.format, "JPG ｲﾒｰｼﾞ");

  services_.displayDepth = 8;
  ASSERT_TRUE(RenderJpeg(services_, previewArgs(progressive)));
  EXPECT_EQ(shown_.depth, " 8ﾋﾞｯﾄ RGBｶﾗｰ");
  EXPECT_EQ(preview_->picture().image().format(), QImage::Format_Indexed8);
}

TEST_F(RenderTest, LargeJpegDecodesAtTheSmallestCoveringScale) {
  // 2000 x 1500: half is 1000 x 750, fitted to 181 x 135; 1/8 (250 x 188) covers it.
  const std::string large = file("large.jpg", makeJpeg(2000, 1500, JpegKind::Baseline));
  ASSERT_TRUE(RenderJpeg(services_, previewArgs(large)));
  EXPECT_EQ(placed(*preview_), QRect(4, 7, 181, 135));
  EXPECT_EQ(preview_->picture().width(), 250);
  EXPECT_EQ(preview_->picture().height(), 188);
  EXPECT_EQ(shown_.width, 2000);
  EXPECT_EQ(shown_.height, 1500);

  // 1200 x 900: 1/8 (150 x 113) would be enlarged, 1/4 (300 x 225) covers 181 x 135.
  const std::string middle = file("middle.jpg", makeJpeg(1200, 900, JpegKind::Baseline));
  ASSERT_TRUE(RenderJpeg(services_, previewArgs(middle)));
  EXPECT_EQ(placed(*preview_), QRect(4, 7, 181, 135));
  EXPECT_EQ(preview_->picture().width(), 300);
  EXPECT_EQ(preview_->picture().height(), 225);
}

TEST_F(RenderTest, ViewerDecodesFullSizeFromTheSharedData) {
  const std::string path = file("view.jpg", makeJpeg(1200, 900, JpegKind::Progressive));
  ASSERT_TRUE(RenderJpeg(services_, previewArgs(path)));
  const ShownFileInfo previewFacts = shown_;
  const auto* source = dynamic_cast<const JpegPictureSource*>(preview_->picture().source().get());
  ASSERT_NE(source, nullptr);
  // Nothing reads the file again.
  std::filesystem::remove(path);

  ASSERT_TRUE(RenderJpeg(services_, RenderArgs{*other_, path, 0, 768, 1024, 0}));
  EXPECT_EQ(other_->picture().width(), 1200);
  EXPECT_EQ(other_->picture().height(), 900);
  EXPECT_EQ(other_->picture().source(), preview_->picture().source());
  // Geometry from the recorded full size: 1024 x 768 at the box's offsets.
  EXPECT_EQ(placed(*other_), QRect(4, 5, 1024, 768));
  EXPECT_FALSE(other_->isHidden());
  EXPECT_EQ(shown_.width, previewFacts.width);
  EXPECT_EQ(shown_.format, previewFacts.format);

  // The information window takes the preview's own pixels.
  ASSERT_TRUE(RenderJpeg(services_, RenderArgs{*other_, path, 1, 94, 116, 0}));
  EXPECT_EQ(other_->picture().image().cacheKey(), preview_->picture().image().cacheKey());
  EXPECT_EQ(placed(*other_), QRect(4, 8, 116, 87));
}

TEST_F(RenderTest, TruncatedAndRunawayJpegsShowWhatDecoded) {
  auto truncated = makeJpeg(400, 300, JpegKind::Baseline);
  truncated.resize(truncated.size() / 2);
  ASSERT_TRUE(RenderJpeg(services_, previewArgs(file("cut.jpg", truncated))));
  EXPECT_EQ(preview_->picture().width(), 200);
  EXPECT_EQ(shown_.fileSize, static_cast<std::int64_t>(truncated.size()));

  const auto runaway = fixtures::withRepeatedLastScan(makeJpeg(64, 64, JpegKind::Progressive), 400);
  ASSERT_TRUE(RenderJpeg(services_, previewArgs(file("runaway.jpg", runaway))));
  EXPECT_EQ(preview_->picture().width(), 32);
  EXPECT_EQ(shown_.format, "JPEG ｲﾒｰｼﾞ");
}

TEST_F(RenderTest, UnreadableJpegRetriesFromACopyThenFails) {
  fixtures::BmpLayout layout;
  layout.width = 8;
  layout.height = 6;
  layout.value = [](int x, int y) { return static_cast<std::uint32_t>(x * 20 + y * 0x1000); };
  const auto bitmap = fixtures::makeBmp(layout);
  const std::string path = file("really a bitmap.jpg", bitmap);
  PrivateFolder folder;
  JpegRetryCopy retry(folder);
  std::vector<std::optional<std::string>> copies;
  services_.retryCopy = [&](const std::string& from, const RetryCandidate& candidate) {
    copies.push_back(retry.copy(from, candidate));
    return copies.back();
  };
  shown_.kind = 6;
  shown_.format = "before";
  EXPECT_FALSE(RenderJpeg(services_, previewArgs(path)));
  EXPECT_TRUE(preview_->picture().isNull());
  EXPECT_EQ(shown_.kind, 6);
  EXPECT_EQ(shown_.format, "before");
  // Offered the retry, which copies nothing: the file does not start as a JPEG does.
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_FALSE(copies[0]);
  EXPECT_FALSE(fs::exists(temp_ / "ppp.jpg"));

  // DisplayFile's fallback then reaches the bitmap renderer, which shows it.
  ASSERT_TRUE(RenderBitmap(services_, previewArgs(path)));
  EXPECT_EQ(shown_.kind, 3);
  EXPECT_EQ(preview_->picture().width(), 8);
}

TEST_F(RenderTest, RetryShowsTheCopyWhenTheCopyReads) {
  const auto good = makeJpeg(40, 30, JpegKind::Baseline);
  const std::string copyPath = (temp_ / "ppp.jpg").string();
  std::vector<std::pair<std::string, RetryCandidate>> copies;
  services_.retryCopy = [&](const std::string& from, const RetryCandidate& candidate) {
    copies.emplace_back(from, candidate);
    fixtures::writeFile(copyPath, good);
    return std::optional<std::string>(copyPath);
  };
  fixtures::ByteVector brokenBytes(64, 0);
  brokenBytes[0] = 0xFF;
  brokenBytes[1] = 0xD8;
  const std::string broken = file("broken.jpg", brokenBytes);
  ASSERT_TRUE(RenderJpeg(services_, previewArgs(broken)));
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].first, broken);
  EXPECT_TRUE(copies[0].second.startsAsJpeg);
  EXPECT_EQ(copies[0].second.identity.size, 64u);
  EXPECT_EQ(preview_->picture().width(), 20);
  EXPECT_EQ(shown_.width, 40);
  EXPECT_EQ(shown_.fileSize, 64);

  services_.retryCopy = [](const std::string&, const RetryCandidate&) {
    return std::optional<std::string>();
  };
  EXPECT_FALSE(RenderJpeg(services_, previewArgs(broken)));

  // A FIFO is neither read nor offered a retry.
  WaitingFifo fifo((folder_ / "pipe.jpg").string());
  bool offered = false;
  services_.retryCopy = [&](const std::string&, const RetryCandidate&) {
    offered = true;
    return std::optional<std::string>();
  };
  EXPECT_FALSE(RenderJpeg(services_, previewArgs(fifo.path())));
  fifo.stop();
  EXPECT_FALSE(fifo.rescued());
  EXPECT_FALSE(offered);
}
