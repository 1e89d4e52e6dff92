#include "forms/render/RenderIcon.h"

#include <QBuffer>
#include <QImageWriter>

#include "RenderTestFixture.h"

using namespace tossbox;
using fixtures::makeBitmapIcon;

namespace {

fixtures::ByteVector png(int size, QColor colour) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(colour);
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return fixtures::ByteVector(data.begin(), data.end());
}

// An icon file of PNG images, in the order given.
fixtures::ByteVector iconOf(const std::vector<std::pair<int, QColor>>& images) {
  std::vector<fixtures::ByteVector> pngs;
  for (const auto& [size, colour] : images) pngs.push_back(png(size, colour));
  fixtures::ByteVector out;
  fixtures::put16(out, 0);
  fixtures::put16(out, 1);
  fixtures::put16(out, static_cast<int>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    out.push_back(static_cast<std::uint8_t>(images[i].first));
    out.push_back(static_cast<std::uint8_t>(images[i].first));
    out.insert(out.end(), {0, 0});
    fixtures::put16(out, 1);
    fixtures::put16(out, 32);
    fixtures::put32(out, static_cast<std::uint32_t>(pngs[i].size()));
    fixtures::put32(out, offset);
    offset += static_cast<std::uint32_t>(pngs[i].size());
  }
  for (const auto& p : pngs) out.insert(out.end(), p.begin(), p.end());
  return out;
}

}  // namespace

TEST_F(RenderTest, IconShowsItsFirstImageForEveryTarget) {
  const auto bytes = iconOf({{16, Qt::red}, {32, Qt::blue}});
  const std::string path = file("two sizes.ico", bytes);
  shown_.number = 1234;
  ASSERT_TRUE(RenderIcon(services_, previewArgs(path)));
  EXPECT_EQ(preview_->picture().width(), 16);
  EXPECT_EQ(rgb(preview_->picture().image()).pixel(8, 8), qRgb(255, 0, 0));
  EXPECT_EQ(placed(*preview_), QRect(86, 67, 16, 16));
  EXPECT_FALSE(preview_->isHidden());
  EXPECT_EQ(shown_.kind, 4);
  EXPECT_EQ(shown_.width, 16);
  EXPECT_EQ(shown_.height, 16);
  EXPECT_EQ(shown_.format, "ｱｲｺﾝﾌｧｲﾙ");
  EXPECT_EQ(shown_.fileSize, static_cast<std::int64_t>(bytes.size()));
  EXPECT_EQ(shown_.number, 1234);

  // Another target reads the file itself, and records it.
  QImage big(48, 48, QImage::Format_ARGB32);
  big.fill(Qt::green);
  const std::string written = (folder_ / "written.ico").string();
  ASSERT_TRUE(QImageWriter(QString::fromStdString(written), "ico").write(big));
  ASSERT_TRUE(RenderIcon(services_, RenderArgs{*other_, written, 1, 94, 116, 0}));
  EXPECT_EQ(other_->picture().width(), 48);
  EXPECT_EQ(shown_.width, 48);
}

TEST_F(RenderTest, CorruptIconIsHandledWithAnEmptyPicture) {
  ASSERT_TRUE(RenderIcon(services_, previewArgs(file("good.ico", iconOf({{24, Qt::red}})))));
  const ShownFileInfo before = shown_;

  auto pastTheEnd = iconOf({{24, Qt::red}});
  pastTheEnd.resize(pastTheEnd.size() - 20);
  auto badPng = iconOf({{24, Qt::red}});
  badPng[6 + 16 + 1] = 'X';
  for (const auto& [name, content] : std::vector<std::pair<std::string, fixtures::ByteVector>>{
           {"cut.ico", pastTheEnd},
           {"bad png.ico", badPng},
           {"empty.ico", {}},
           {"jpeg.ico", fixtures::makeJpeg(8, 8, fixtures::JpegKind::Baseline)}}) {
    SCOPED_TRACE(name);
    preview_->hide();
    EXPECT_TRUE(RenderIcon(services_, previewArgs(file(name, content))));
    EXPECT_TRUE(preview_->picture().isNull());
    EXPECT_FALSE(preview_->isHidden());
    EXPECT_EQ(shown_.fileSize, before.fileSize);
    EXPECT_EQ(shown_.width, before.width);
  }
}

namespace {

// Every pixel of a 20 x 12 icon has its own colour; 240 of them fit an 8-bit
// colour table.
QRgb iconColour(int x, int y) {
  return qRgb(x * 12, y * 20, 250 - x * 12);
}

bool iconMasked(int x, int y) {
  return (x + 2 * y) % 3 == 0;
}

fixtures::IconLayout bitmapIcon(int bits, int headerSize) {
  fixtures::IconLayout s;
  s.bits = bits;
  s.headerSize = headerSize;
  if (bits == 8) {
    for (int i = 0; i < 256; ++i) {
      const QRgb c = iconColour(i % 20, i / 20 % 12);
      s.palette.push_back({static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
                           static_cast<std::uint8_t>(qBlue(c))});
    }
    s.value = [](int x, int y) { return static_cast<std::uint32_t>(y * 20 + x); };
  } else {
    s.value = [bits](int x, int y) {
      const QRgb c = iconColour(x, y) & 0xFFFFFF;
      return bits == 32 && !iconMasked(x, y) ? c | 0xFF000000 : c;
    };
  }
  s.masked = iconMasked;
  return s;
}

}  // namespace

TEST_F(RenderTest, BitmapIconsUseTheirOwnHeaderSizeAndTheirMask) {
  for (const auto& [bits, headerSize] :
       std::vector<std::pair<int, int>>{{24, 40}, {24, 124}, {8, 124}, {32, 124}, {32, 108}}) {
    SCOPED_TRACE(testing::Message() << bits << " bits, header " << headerSize);
    const std::string path =
        file("icon " + std::to_string(bits) + ".ico", makeBitmapIcon(bitmapIcon(bits, headerSize)));
    preview_->clearPicture();
    ASSERT_TRUE(RenderIcon(services_, previewArgs(path)));
    const QImage image = preview_->picture().image().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(20, 12));
    EXPECT_EQ(shown_.width, 20);
    EXPECT_EQ(shown_.height, 12);
    int wrong = 0;
    for (int y = 0; y < 12; ++y) {
      for (int x = 0; x < 20; ++x) {
        const QRgb pixel = image.pixel(x, y);
        const bool right = iconMasked(x, y) ? qAlpha(pixel) == 0 : pixel == iconColour(x, y);
        if (!right && wrong++ == 0) ADD_FAILURE() << "first wrong pixel " << x << "," << y;
      }
    }
    EXPECT_EQ(wrong, 0);
  }
}
