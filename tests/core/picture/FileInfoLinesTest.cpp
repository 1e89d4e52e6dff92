#include "core/picture/FileInfoLines.h"

#include <gtest/gtest.h>

#include "core/picture/ShownFileTexts.h"

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

TEST(FileInfoLines, SizeLineInBytesUpTo1024AndInKilobytesAbove) {
  ShownFileInfo shown;
  shown.kind = 7;
  shown.format = std::string(shown_text::kWave);
  shown.fileSize = 1024;
  // A sound has only the five common lines.
  EXPECT_EQ(fileInfoLines(kPath, shown), commonLines("ｳｴｰﾌﾞﾌｧｲﾙ", "1024ﾊﾞｲﾄ"));
  shown.fileSize = 1536;
  EXPECT_EQ(fileInfoLines(kPath, shown)[4], "ﾌｧｲﾙｻｲｽﾞ \t1.50 KB (1536ﾊﾞｲﾄ)");
  shown.fileSize = 1234567;
  EXPECT_EQ(fileInfoLines(kPath, shown)[4], "ﾌｧｲﾙｻｲｽﾞ \t1205.60 KB (1234567ﾊﾞｲﾄ)");
  shown.fileSize = 0;
  EXPECT_EQ(fileInfoLines(kPath, shown)[4], "ﾌｧｲﾙｻｲｽﾞ \t0ﾊﾞｲﾄ");
}

TEST(FileInfoLines, TheLinesOfEachKind) {
  ShownFileInfo jpeg;
  jpeg.kind = 1;
  jpeg.format = "JPG ｲﾒｰｼﾞ";
  jpeg.fileSize = 900;
  jpeg.number = 90;
  jpeg.colour = "ｶﾗｰ";
  jpeg.depth = "24ﾋﾞｯﾄ RGBｶﾗｰ";
  jpeg.width = 640;
  jpeg.height = 480;
  EXPECT_EQ(fileInfoLines(kPath, jpeg),
            plus(commonLines("JPG ｲﾒｰｼﾞ", "900ﾊﾞｲﾄ"),
                 {"圧縮率 \t90 %", "ｶﾗｰﾓｰﾄﾞ \tｶﾗｰ", "種類   \t24ﾋﾞｯﾄ RGBｶﾗｰ", "幅     \t640 ﾋﾟｸｾﾙ",
                  "高さ   \t480 ﾋﾟｸｾﾙ"}));

  ShownFileInfo gif = jpeg;
  gif.kind = 2;
  gif.number = 1;
  gif.version = "89a";
  gif.colour = "256色";
  EXPECT_EQ(fileInfoLines(kPath, gif),
            plus(commonLines("JPG ｲﾒｰｼﾞ", "900ﾊﾞｲﾄ"),
                 {"ﾌﾚｰﾑ数 \t1 ﾌﾚｰﾑ", "ﾊﾞｰｼﾞｮﾝ \t89a", "ｶﾗｰ     \t256色", "種類   \t24ﾋﾞｯﾄ RGBｶﾗｰ",
                  "幅     \t640 ﾋﾟｸｾﾙ", "高さ   \t480 ﾋﾟｸｾﾙ"}));

  ShownFileInfo bitmap = jpeg;
  bitmap.kind = 3;
  bitmap.number = -1;
  EXPECT_EQ(kindLines(bitmap), (Lines{"透過色  \t-1", "種類   \t24ﾋﾞｯﾄ RGBｶﾗｰ",
                                      "幅     \t640 ﾋﾟｸｾﾙ", "高さ   \t480 ﾋﾟｸｾﾙ"}));
  for (const std::uint8_t sized : {4, 5}) {
    ShownFileInfo icon = jpeg;
    icon.kind = sized;
    EXPECT_EQ(fileInfoLines(kPath, icon).size(), 7u);
    EXPECT_EQ(fileInfoLines(kPath, icon)[5], "幅     \t640 ﾋﾟｸｾﾙ");
  }

  ShownFileInfo text = jpeg;
  text.kind = 6;
  text.width = 1234;
  text.height = 40;
  EXPECT_EQ(kindLines(text), (Lines{"文字数\t1234 文字", "行数   \t40 行"}));

  ShownFileInfo video = jpeg;
  video.kind = 8;
  video.version = "1.5";
  video.depth = "recorder";
  video.number = 50;
  video.volume = 1000;
  EXPECT_EQ(kindLines(video),
            (Lines{"ﾊﾞｰｼﾞｮﾝ\t1.5", "ﾌﾟﾛﾀﾞｸﾄ\trecorder", "ﾌﾚｰﾑ数 \t50 ﾌﾚｰﾑ", "音量  \t1000/1000"}));

  // Nothing rendered yet: the common lines only.
  EXPECT_EQ(fileInfoLines(kPath, ShownFileInfo{}).size(), 5u);
}

TEST(FileInfoLines, TheFolderLineInLinuxForm) {
  EXPECT_EQ(folderOf("/home/user/a.txt"), "/home/user");
  EXPECT_EQ(folderOf("/a.txt"), "/");
  EXPECT_EQ(folderOf("/home//a.txt"), "/home");
  EXPECT_EQ(folderOf("a.txt"), "");
  // The bytes of a name outside UTF-8 are kept as they are.
  const std::string latin1 = "/data/caf\xe9/x.bmp";
  EXPECT_EQ(fileInfoLines(latin1, ShownFileInfo{})[1], "場所　\t/data/caf\xe9");
  EXPECT_EQ(fileInfoLines(latin1, ShownFileInfo{})[0], "ﾌｧｲﾙ名 \tx.bmp");
}
