#include "core/files/FileKind.h"

#include <gtest/gtest.h>

#include "core/files/PathRules.h"

namespace tossbox {
namespace {

TEST(FileKind, TableOrderCaptionsAndFlags) {
  const auto table = fileKindTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(kindNumber(table[i].kind), i + 1);
    EXPECT_TRUE(table[i].acceptedAsSinglePath);
  }
  EXPECT_EQ(table[0].caption, "BMP(ﾋﾞｯﾄﾏｯﾌﾟ)");
  EXPECT_EQ(table[1].caption, "JPG,JPEG");
  EXPECT_EQ(table[8].caption, "DOC(ﾄﾞｷｭﾒﾝﾄ)");
  EXPECT_EQ(table[10].caption, "INIT(INIT)");
  for (const FileKindInfo& info : table) {
    EXPECT_EQ(info.collectedByScan, info.kind != FileKind::Document);
    EXPECT_EQ(info.enlargeable, info.kind != FileKind::Icon && info.kind != FileKind::Wave &&
                                    info.kind != FileKind::Audio);
  }
}

// Other windows print the shown number, so every kind keeps its number.
TEST(FileKind, ShownNumbers) {
  const std::array<std::uint8_t, kFileKindCount> expected = {3, 1, 2, 4, 5, 7, 8, 6, 6,
                                                             6, 6, 9, 9, 9, 8, 7, 6};
  for (const FileKindInfo& info : fileKindTable())
    EXPECT_EQ(shownKindNumber(info.kind), expected[kindIndex(info.kind)]) << kindNumber(info.kind);
}

TEST(FileKind, NewerKindsFollowTheOlderOnes) {
  EXPECT_EQ(fileKindTable()[16].caption, "ﾃｷｽﾄ (MD/LOG/CSV)");
  const std::pair<const char*, FileKind> named[] = {
      {"a.PNG", FileKind::Png},   {"a.webp", FileKind::WebP},    {"a.tif", FileKind::Tiff},
      {"a.TIFF", FileKind::Tiff}, {"a.m4v", FileKind::Movie},    {"a.WebM", FileKind::Movie},
      {"a.mov", FileKind::Movie}, {"a.oga", FileKind::Audio},    {"a.flac", FileKind::Audio},
      {"a.m4a", FileKind::Audio}, {"a.md", FileKind::PlainText}, {"a.CSV", FileKind::PlainText}};
  for (const auto& [name, kind] : named) EXPECT_EQ(fileKindOf(name), kind) << name;
  EXPECT_EQ(fileKindOf("a.webps"), std::nullopt);
  EXPECT_EQ(fileKindOf("a.mp4.part"), std::nullopt);
}

TEST(FileKind, ExtensionRule) {
  EXPECT_EQ(fileKindOf("Photo.JPG"), FileKind::Jpeg);
  EXPECT_EQ(fileKindOf("/a/b/x.JpEg"), FileKind::Jpeg);
  EXPECT_EQ(fileKindOf("notes.ini"), FileKind::Ini);
  EXPECT_EQ(fileKindOf("y.DOC"), FileKind::Document);
  EXPECT_EQ(fileKindOf("a.jpg.bak"), std::nullopt);
  EXPECT_EQ(fileKindOf("README"), std::nullopt);
  EXPECT_EQ(fileKindOf("x.jpegs"), std::nullopt);
  // The dot must be in the last part of the path.
  EXPECT_EQ(fileKindOf("/photos.jpg/readme"), std::nullopt);
  EXPECT_EQ(fileKindOf("/a/b.jpg/"), std::nullopt);
  // Only ASCII letters are lowered: a full-width or Latin-1 letter is not a match.
  EXPECT_EQ(fileKindOf("a.\xEF\xBC\xAA"
                       "PG"),
            std::nullopt);

  EXPECT_EQ(extensionOf("dir.d/Photo.JPG"), ".jpg");
  EXPECT_EQ(extensionOf("dir.d/Makefile"), "");
  EXPECT_EQ(extensionOf("a.\xC3\x89XE"), ".\xC3\x89xe");
}

TEST(PathRules, LastPathPartAndJoin) {
  EXPECT_EQ(LastPathPart("/home/u/Pictures"), "Pictures");
  EXPECT_EQ(LastPathPart("name.jpg"), "name.jpg");
  EXPECT_EQ(LastPathPart("/home/u/"), "");
  EXPECT_EQ(LastPathPart("/"), "");
  EXPECT_EQ(joinPath("/home/u", "a b.jpg"), "/home/u/a b.jpg");
  EXPECT_EQ(joinPath("/", "etc"), "/etc");
  EXPECT_EQ(joinPath("/mnt/x/", "y"), "/mnt/x/y");
}

}  // namespace
}  // namespace tossbox
