// PNG, WebP, TIFF, MP4 and MP3 files made by the system's own tools reach their renderers with
// the facts the information window prints, and damaged ones are refused without a crash.
#include <QTest>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "RenderTestFixture.h"
#include "core/picture/FitRectangle.h"
#include "forms/picture/ImageFileSource.h"
#include "forms/render/DisplayDispatch.h"
#include "forms/render/RenderImage.h"
#include "forms/render/RenderVideo.h"
#include "forms/render/RenderWave.h"
#include "platform/media/MciDevice.h"
#include "platform/media/MediaProbe.h"

using namespace tossbox;

namespace {

fixtures::ByteVector bytesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fixtures::ByteVector firstHalf(const fixtures::ByteVector& bytes) {
  return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() / 2)};
}

// A PNG signature and a header (with its check sum) claiming `side` x `side` pixels, no data.
fixtures::ByteVector pngClaiming(std::uint32_t side) {
  fixtures::ByteVector out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13};
  fixtures::ByteVector chunk = {'I', 'H', 'D', 'R'};
  for (int n = 0; n < 2; ++n)
    for (int shift = 24; shift >= 0; shift -= 8) chunk.push_back(std::uint8_t(side >> shift));
  chunk.insert(chunk.end(), {8, 2, 0, 0, 0});
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const std::uint8_t byte : chunk) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  out.insert(out.end(), chunk.begin(), chunk.end());
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(~crc >> shift));
  return out;
}

}  // namespace

class RenderNewKindsTest : public RenderTest {
 protected:
  // The file `tool` makes at folder/name (written as `prefix` + path); empty when it fails.
  std::string made(const std::string& tool, const std::string& arguments, const std::string& name,
                   const std::string& prefix = {}) {
    const std::string path = (folder_ / name).string();
    const std::string command = tool + " " + arguments + " '" + prefix + path + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0 && std::filesystem::exists(path) ? path : "";
  }
  std::string picture(const std::string& arguments, const std::string& name,
                      const std::string& prefix = {}) {
    const std::string path = made("convert", arguments, name, prefix);
    if (path.empty()) ADD_FAILURE() << "ImageMagick could not make " << name;
    return path;
  }
  std::string media(const std::string& arguments, const std::string& name) {
    return made("ffmpeg -loglevel error -y", arguments, name);
  }
};

TEST_F(RenderNewKindsTest, PicturesAreDecodedAtTheShownSizeWithTheirFacts) {
  const std::string png = picture("-size 300x200 gradient:red-blue", "photo one.png", "png24:");
  ASSERT_TRUE(RenderImage(services_, previewArgs(png)));
  EXPECT_EQ(shown_.kind, 9);
  EXPECT_EQ(shown_.width, 300);
  EXPECT_EQ(shown_.height, 200);
  EXPECT_EQ(shown_.number, 1);
  EXPECT_EQ(shown_.format, "PNG ｲﾒｰｼﾞ");
  EXPECT_EQ(shown_.depth, "24ﾋﾞｯﾄ RGBｶﾗｰ");
  EXPECT_EQ(shown_.fileSize, static_cast<std::int64_t>(std::filesystem::file_size(png)));
  const FitResult fit = FitRectangle(0, 300, 140, 181, 200);
  EXPECT_EQ(placed(*preview_), QRect(fit.left, fit.top, fit.width, fit.height));
  EXPECT_EQ(preview_->picture().image().size(), QSize(fit.width, fit.height));
  // A larger target's careful decode reads the file again at full size.
  ASSERT_TRUE(
      RenderImage(services_, RenderArgs{*other_, png, 0, 768, 1024, 0, TargetRole::Viewer}));
  EXPECT_EQ(other_->picture().image().size(), QSize(300, 200));

  const std::string webp = picture("-size 64x48 xc:green", "still.webp");
  ASSERT_TRUE(RenderImage(services_, previewArgs(webp)));
  EXPECT_EQ(shown_.format, "WebP ｲﾒｰｼﾞ");
  EXPECT_EQ(QSize(shown_.width, shown_.height), QSize(64, 48));
  const std::string tiff = picture("-size 50x40 xc:blue", "scan.TIFF");
  ASSERT_TRUE(RenderImage(services_, previewArgs(tiff)));
  EXPECT_EQ(shown_.format, "TIFF ｲﾒｰｼﾞ");
  EXPECT_EQ(rgb(preview_->picture().image()).pixel(10, 10), qRgb(0, 0, 255));
  const std::string alpha = picture("-size 40x30 xc:none", "clear.png", "png32:");
  ASSERT_TRUE(RenderImage(services_, previewArgs(alpha)));
  EXPECT_EQ(shown_.depth, "32ﾋﾞｯﾄ RGBｶﾗｰ");
}

TEST_F(RenderNewKindsTest, AnimatedWebPPlaysItsOwnFramesAndDelays) {
  const std::string path =
      picture("-delay 20 -size 32x24 xc:red xc:blue xc:yellow -loop 0", "moving.webp");
  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  ASSERT_TRUE(RenderImage(services_, previewArgs(path)));
  EXPECT_EQ(shown_.format, "WebP ｱﾆﾒｰｼｮﾝ");
  EXPECT_EQ(shown_.number, 3);
  const auto* source = dynamic_cast<const ImageFileSource*>(preview_->picture().source().get());
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->frames().delaysMs, (std::vector<int>{200, 200, 200}));
  // Lossy frames: a colour is known by its strong channels (1 red, 2 green, 4 blue).
  const auto colour = [&] {
    const QRgb p = preview_->shownImage().pixel(5, 5);
    return (qRed(p) > 200 ? 1 : 0) | (qGreen(p) > 200 ? 2 : 0) | (qBlue(p) > 200 ? 4 : 0);
  };
  EXPECT_EQ(colour(), 1);
  preview_->repaint();
  EXPECT_TRUE(preview_->isAnimating());
  EXPECT_TRUE(QTest::qWaitFor([&] { return colour() == 4; }, 2000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return colour() == 3; }, 2000));
  preview_->clearPicture();
  EXPECT_FALSE(preview_->isAnimating());
}

TEST_F(RenderNewKindsTest, DamagedMisnamedAndOversizedPicturesAreRefused) {
  for (const auto& [arguments, name] :
       {std::pair{"-size 120x90 gradient:red-blue", "good.png"},
        {"-size 120x90 gradient:red-blue", "good.webp"},
        {"-delay 10 -size 40x30 xc:red xc:blue xc:green -loop 0", "anim.webp"},
        {"-size 120x90 gradient:red-blue -compress lzw", "good.tif"}}) {
    const fixtures::ByteVector bytes = bytesOf(picture(arguments, name));
    ASSERT_FALSE(bytes.empty()) << name;
    const std::string ext = std::string(name).substr(std::string(name).rfind('.'));
    for (const auto& [bad, content] :
         {std::pair{"half", firstHalf(bytes)},
          {"head", fixtures::ByteVector(bytes.begin(), bytes.begin() + 16)},
          {"empty", fixtures::ByteVector{}},
          {"zeros", fixtures::ByteVector(bytes.size(), 0)}}) {
      preview_->clearPicture();
      EXPECT_FALSE(RenderImage(services_, previewArgs(file(bad + ext, content)))) << bad << ext;
      EXPECT_TRUE(preview_->picture().isNull());
    }
    // Another kind's bytes under the name are not read as what they are.
    const std::string other = ext == ".png" ? "other.tif" : "other.png";
    EXPECT_FALSE(RenderImage(services_, previewArgs(file(other, bytes)))) << name;
  }
  // A header claiming 8000 x 8000 pixels, more than any decoder here may hold.
  EXPECT_FALSE(RenderImage(services_, previewArgs(file("huge.png", pngClaiming(8000)))));
  std::filesystem::create_directory(folder_ / "folder.png");
  EXPECT_FALSE(RenderImage(services_, previewArgs((folder_ / "folder.png").string())));
}

TEST(NewerKindDispatch, OwnRendererFirstThenTheOlderTestsFromTheTop) {
  std::vector<RendererId> calls;
  runDisplayDispatch(".png", [&](RendererId id) {
    calls.push_back(id);
    return id == RendererId::Wave;
  });
  EXPECT_EQ(calls, (std::vector<RendererId>{RendererId::Image, RendererId::Jpeg, RendererId::Gif,
                                            RendererId::Bitmap, RendererId::Icon,
                                            RendererId::Metafile, RendererId::Wave}));
  for (const auto& [ext, own] : {std::pair{".tiff", RendererId::Image},
                                 {".mkv", RendererId::Video},
                                 {".flac", RendererId::Wave},
                                 {".md", RendererId::Text}}) {
    calls.clear();
    runDisplayDispatch(ext, [&](RendererId id) {
      calls.push_back(id);
      return true;
    });
    EXPECT_EQ(calls, std::vector<RendererId>{own}) << ext;
  }
}

TEST_F(RenderNewKindsTest, Mp4AndMp3RecordWhatTheMediaBackEndKnows) {
  const std::string clip = media(
      "-f lavfi -i testsrc=size=160x120:rate=25:duration=1 -f lavfi -i sine=duration=1 "
      "-c:v mpeg4 -c:a aac -shortest",
      "a clip.mp4");
  const std::string tune =
      media("-f lavfi -i sine=frequency=440:duration=1.5 -c:a libmp3lame", "tune.mp3");
  if (clip.empty() || tune.empty()) GTEST_SKIP() << "ffmpeg cannot make the files";
  MciDevice device;
  std::vector<std::string> errors;
  services_.media = &device;
  services_.showMediaError = [&](const std::string& text) { errors.push_back(text); };
  services_.soundLength = [](const std::string& path) {
    return probeMediaFile(path, 5000).durationMs;
  };
  window_.show();
  ASSERT_TRUE(RenderVideo(services_, previewArgs(clip)));
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(shown_.kind, 8);
  EXPECT_EQ(shown_.format, "動画ﾌｧｲﾙ");
  EXPECT_EQ(QSize(shown_.width, shown_.height), QSize(160, 120));
  EXPECT_NEAR(static_cast<double>(shown_.durationMs), 1000.0, 100.0);
  EXPECT_DOUBLE_EQ(shown_.frameRate, 25.0);
  EXPECT_NEAR(shown_.number, 25, 2);
  closeVideoDevice(device);
  // The index ffmpeg writes last cut off, or no video at all: refused, reported, no old facts.
  for (const std::string& path : {file("half.mp4", firstHalf(bytesOf(clip))),
                                  file("junk.mkv", fixtures::ByteVector(4096, 0x5A))}) {
    errors.clear();
    EXPECT_TRUE(RenderVideo(services_, previewArgs(path)));
    EXPECT_EQ(errors.size(), 1u) << path;
    EXPECT_EQ(shown_.durationMs, -1) << path;
    closeVideoDevice(device);
  }

  ASSERT_TRUE(RenderWave(services_, previewArgs(tune)));
  EXPECT_EQ(shown_.kind, 7);
  EXPECT_EQ(shown_.format, "音声ﾌｧｲﾙ");
  EXPECT_NEAR(static_cast<double>(shown_.durationMs), 1500.0, 150.0);
  // A WAV file is not asked; damaged sounds have no length, and nothing hangs.
  for (const std::string& path : {file("junk.ogg", fixtures::ByteVector(4096, 0x33)),
                                  file("empty.flac", {}), file("old.wav", bytesOf(tune))}) {
    EXPECT_TRUE(RenderWave(services_, previewArgs(path))) << path;
    EXPECT_EQ(shown_.durationMs, -1) << path;
  }
}
