#include "core/picture/FileInfoLines.h"

#include <gtest/gtest.h>

#include "core/files/FileKind.h"

using namespace tossbox;

namespace {

using Lines = std::vector<std::string>;

// The five lines every kind begins with.
Lines commonLines(const std::string& format, const std::string& size) {
  return {"ﾌｧｲﾙ名 \tphoto 1.jpg", "場所　\t/home/user/my pictures", " ", "ﾌｫｰﾏｯﾄ \t" + format,
          "ﾌｧｲﾙｻｲｽﾞ \t" + size};
}

Lines plus(Lines lines, const Lines& more) {
  lines.insert(lines.end(), more.begin(), more.end());
  return lines;
}

constexpr const char* kPath = "/home/user/my pictures/photo 1.jpg";

// The lines after the common five.
Lines kindLines(const ShownFileInfo& shown) {
  const Lines all = fileInfoLines(kPath, shown);
  return all.size() > 5 ? Lines(all.begin() + 5, all.end()) : Lines{};
}

}  // namespace

TEST(FileInfoLines, KilobytesRoundToFiveSignificantDigitsWithTwoDecimals) {
  EXPECT_EQ(kilobyteText(1536), "1.50");
  EXPECT_EQ(kilobyteText(1025), "1.00");
  // 1205.6318 keeps five digits: one decimal, then written with two.
  EXPECT_EQ(kilobyteText(1234567), "1205.60");
  // 12.3457 has room for two decimals only: rounded once, at the second.
  EXPECT_EQ(kilobyteText(12642), "12.35");
  // A half rounds away from zero: 23.4375 KB at two decimals.
  EXPECT_EQ(kilobyteText(24000), "23.44");
  // 9999.96 rounds up into a fifth integer digit.
  EXPECT_EQ(kilobyteText(10239959), "10000.00");
  // Five integer digits leave no decimals: 12345.6 KB.
  EXPECT_EQ(kilobyteText(12641895), "12346.00");
  // From 100000 KB on, every integer digit is written, never an exponent.
  EXPECT_EQ(kilobyteText(2000000000), "1953125.00");
  EXPECT_EQ(kilobyteText(std::int64_t{1} << 50), "1099511627776.00");
}

TEST(FileInfoLines, SizeLineAndTheKindsTheProgramTestsDoNotShow) {
  ShownFileInfo shown;
  shown.kind = 3;
  shown.format = "ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞ";
  shown.fileSize = 1024;
  shown.number = -1;
  shown.depth = "24ﾋﾞｯﾄ";
  shown.width = 640;
  shown.height = 480;
  EXPECT_EQ(fileInfoLines(kPath, shown),
            plus(commonLines("ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞ", "1024ﾊﾞｲﾄ"),
                 {"透過色  \t-1", "種類   \t24ﾋﾞｯﾄ", "幅     \t640 ﾋﾟｸｾﾙ", "高さ   \t480 ﾋﾟｸｾﾙ"}));
  shown.fileSize = 1536;
  EXPECT_EQ(fileInfoLines(kPath, shown)[4], "ﾌｧｲﾙｻｲｽﾞ \t1.50 KB (1536ﾊﾞｲﾄ)");
  shown.fileSize = 1234567;
  EXPECT_EQ(fileInfoLines(kPath, shown)[4], "ﾌｧｲﾙｻｲｽﾞ \t1205.60 KB (1234567ﾊﾞｲﾄ)");
  for (const std::uint8_t sized : {4, 5}) {
    shown.kind = sized;
    EXPECT_EQ(kindLines(shown), (Lines{"幅     \t640 ﾋﾟｸｾﾙ", "高さ   \t480 ﾋﾟｸｾﾙ"}));
  }
  // Nothing rendered yet: the common lines only.
  EXPECT_EQ(fileInfoLines(kPath, ShownFileInfo{}).size(), 5u);
}

TEST(FileInfoLines, NewerKindsGiveTheirFramesDepthSizeAndDuration) {
  ShownFileInfo shown;
  shown.kind = shownKindNumber(FileKind::WebP);
  shown.number = 3;
  shown.depth = "32ﾋﾞｯﾄ";
  shown.width = 64;
  shown.height = 48;
  EXPECT_EQ(kindLines(shown), (Lines{"ﾌﾚｰﾑ数 \t3 ﾌﾚｰﾑ", "種類   \t32ﾋﾞｯﾄ", "幅     \t64 ﾋﾟｸｾﾙ",
                                     "高さ   \t48 ﾋﾟｸｾﾙ"}));
  // A sound the back end measured gets its length; a WAV (-1) keeps its lines as they were.
  shown = ShownFileInfo{};
  shown.kind = shownKindNumber(FileKind::Audio);
  shown.durationMs = 125'900;
  EXPECT_EQ(kindLines(shown), (Lines{"再生時間\t2:05"}));
  shown.durationMs = -1;
  EXPECT_TRUE(kindLines(shown).empty());
  shown.kind = shownKindNumber(FileKind::Movie);
  shown.durationMs = 61'000;
  EXPECT_EQ(kindLines(shown).back(), "再生時間\t1:01");
}

TEST(FileInfoLines, TheFolderLineInLinuxForm) {
  EXPECT_EQ(folderLineOf("/home/user/a.txt"), "/home/user");
  EXPECT_EQ(folderLineOf("/a.txt"), "/");
  EXPECT_EQ(folderLineOf("/home//a.txt"), "/home");
  EXPECT_EQ(folderLineOf("a.txt"), "");
  // The bytes of a name outside UTF-8 are kept as they are.
  const std::string latin1 = "/data/caf\xe9/x.bmp";
  EXPECT_EQ(fileInfoLines(latin1, ShownFileInfo{})[1], "場所　\t/data/caf\xe9");
  EXPECT_EQ(fileInfoLines(latin1, ShownFileInfo{})[0], "ﾌｧｲﾙ名 \tx.bmp");
}
