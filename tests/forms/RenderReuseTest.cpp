#include <filesystem>

#include "RenderTestFixture.h"
#include "forms/render/PictureRenderers.h"
#include "forms/render/RenderBitmap.h"
#include "forms/render/RenderJpeg.h"

using namespace tossbox;

namespace {

fixtures::ByteVector bitmap(int width, int height) {
  fixtures::BmpLayout layout;
  layout.width = width;
  layout.height = height;
  layout.value = [](int x, int y) { return static_cast<std::uint32_t>(x * 3 + y * 0x300); };
  return fixtures::makeBmp(layout);
}

}  // namespace

TEST_F(RenderTest, OtherTargetsReuseThePreviewPicture) {
  const std::string path = file("shown.bmp", bitmap(300, 200));
  ASSERT_TRUE(RenderBitmap(services_, previewArgs(path)));
  const ShownFileInfo facts = shown_;
  std::filesystem::remove(path);

  // The information window: fitted with the recorded size, the same pixels.
  other_->hide();
  ASSERT_TRUE(RenderBitmap(services_, RenderArgs{*other_, path, 1, 94, 116, 0}));
  EXPECT_EQ(other_->picture().image().cacheKey(), preview_->picture().image().cacheKey());
  EXPECT_EQ(placed(*other_), QRect(4, 13, 116, 77));
  EXPECT_FALSE(other_->isHidden());
  EXPECT_EQ(shown_.fileSize, facts.fileSize);

  // The viewer in full-screen mode enlarges the same picture to the screen,
  // at the offsets of its natural size.
  ASSERT_TRUE(RenderBitmap(services_, RenderArgs{*other_, path, 0, 768, 1024, 1}));
  EXPECT_EQ(placed(*other_), QRect(366, 289, 1024, 682));
}

TEST_F(RenderTest, SameNameDialogReadsTheExistingFileItself) {
  const std::string sorted = file("a.bmp", bitmap(30, 20));
  const auto existingBytes = bitmap(60, 40);
  const std::string existing = file("b.bmp", existingBytes);
  ASSERT_TRUE(RenderBitmap(services_, previewArgs(sorted)));
  const ShownFileInfo sortedFacts = shown_;

  ASSERT_TRUE(RenderBitmap(services_, RenderArgs{*other_, existing, 1, 94, 130, 0}));
  EXPECT_EQ(other_->picture().width(), 60);
  EXPECT_EQ(shown_.fileSize, static_cast<std::int64_t>(existingBytes.size()));
  EXPECT_EQ(preview_->picture().width(), 30);

  // Later reuse of the preview's picture puts its own facts back.
  ASSERT_TRUE(RenderBitmap(services_, RenderArgs{*other_, sorted, 1, 94, 116, 0}));
  EXPECT_EQ(shown_.fileSize, sortedFacts.fileSize);
  EXPECT_EQ(shown_.width, 30);
}

TEST_F(RenderTest, RendererTableRunsTheFallbackOfAMislabelledFile) {
  RendererTable table;
  installPictureRenderers(table);
  EXPECT_TRUE(table.has(RendererId::Jpeg));
  EXPECT_TRUE(table.has(RendererId::Bitmap));
  EXPECT_TRUE(table.has(RendererId::Icon));
  EXPECT_TRUE(table.has(RendererId::Metafile));
  EXPECT_TRUE(table.has(RendererId::Gif));

  // A ".jpg" holding a bitmap: the JPEG renderer declines, the bitmap one shows it.
  const std::string path = file("bitmap.jpg", bitmap(40, 30));
  const RenderArgs args = previewArgs(path);
  EXPECT_FALSE(table.call(RendererId::Jpeg, services_, args));
  ASSERT_TRUE(table.call(RendererId::Bitmap, services_, args));
  EXPECT_EQ(shown_.kind, 3);
  // The viewer then asks the JPEG renderer by the extension and gets the bitmap.
  ASSERT_TRUE(table.call(RendererId::Jpeg, services_, RenderArgs{*other_, path, 0, 768, 1024, 0}));
  EXPECT_EQ(other_->picture().image().cacheKey(), preview_->picture().image().cacheKey());
  EXPECT_EQ(placed(*other_), QRect(496, 374, 40, 30));

  // With nothing of that path in the preview, another target reads the file.
  preview_->clearPicture();
  EXPECT_FALSE(table.call(RendererId::Jpeg, services_, RenderArgs{*other_, path, 0, 768, 1024, 0}));
}
