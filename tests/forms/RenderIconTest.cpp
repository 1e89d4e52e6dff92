#include "forms/render/RenderIcon.h"

#include <QBuffer>
#include <QImageWriter>

#include "RenderTestFixture.h"

using namespace tossbox;

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
