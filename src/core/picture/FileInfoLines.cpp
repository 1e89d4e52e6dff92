#include "core/picture/FileInfoLines.h"

#include <algorithm>
#include <array>

#include "core/files/FileKind.h"
#include "core/files/PathRules.h"

namespace tossbox {

namespace {

using Lines = std::vector<std::string>;
using KindLines = void (*)(const ShownFileInfo&, Lines&);

std::string number(std::int64_t value) {
  return std::to_string(value);
}

void sizeLines(const ShownFileInfo& shown, Lines& lines) {
  lines.push_back("幅     \t" + number(shown.width) + " ﾋﾟｸｾﾙ");
  lines.push_back("高さ   \t" + number(shown.height) + " ﾋﾟｸｾﾙ");
}

void jpegLines(const ShownFileInfo& shown, Lines& lines) {
  lines.push_back("圧縮率 \t" + number(shown.number) + " %");
  lines.push_back("ｶﾗｰﾓｰﾄﾞ \t" + shown.colour);
  lines.push_back("種類   \t" + shown.depth);
  sizeLines(shown, lines);
}

void gifLines(const ShownFileInfo& shown, Lines& lines) {
  lines.push_back("ﾌﾚｰﾑ数 \t" + number(shown.number) + " ﾌﾚｰﾑ");
  lines.push_back("ﾊﾞｰｼﾞｮﾝ \t" + shown.version);
  lines.push_back("ｶﾗｰ     \t" + shown.colour);
  lines.push_back("種類   \t" + shown.depth);
  sizeLines(shown, lines);
}

void bitmapLines(const ShownFileInfo& shown, Lines& lines) {
  lines.push_back("透過色  \t" + number(shown.number));
  lines.push_back("種類   \t" + shown.depth);
  sizeLines(shown, lines);
}

void textLines(const ShownFileInfo& shown, Lines& lines) {
  lines.push_back("文字数\t" + number(shown.width) + " 文字");
  lines.push_back("行数   \t" + number(shown.height) + " 行");
}

// Known only for the kinds the media back end plays (-1 otherwise): minutes and seconds.
void durationLine(const ShownFileInfo& shown, Lines& lines) {
  if (shown.durationMs < 0) return;
  const std::int64_t seconds = shown.durationMs / 1000;
  const std::string rest = number(seconds % 60);
  lines.push_back("再生時間\t" + number(seconds / 60) + ":" + (rest.size() < 2 ? "0" : "") + rest);
}

void soundLines(const ShownFileInfo& shown, Lines& lines) {
  durationLine(shown, lines);
}

void imageLines(const ShownFileInfo& shown, Lines& lines) {
  lines.push_back("ﾌﾚｰﾑ数 \t" + number(shown.number) + " ﾌﾚｰﾑ");
  lines.push_back("種類   \t" + shown.depth);
  sizeLines(shown, lines);
}

void noLines(const ShownFileInfo&, Lines&) {}

void videoLines(const ShownFileInfo& shown, Lines& lines) {
  lines.push_back("ﾊﾞｰｼﾞｮﾝ\t" + shown.version);
  lines.push_back("ﾌﾟﾛﾀﾞｸﾄ\t" + shown.depth);
  lines.push_back("ﾌﾚｰﾑ数 \t" + number(shown.number) + " ﾌﾚｰﾑ");
  lines.push_back("音量  \t" + number(shown.volume) + "/1000");
  durationLine(shown, lines);
}

struct KindRow {
  FileKind kind;  // the row stands for every kind sharing its shown number
  KindLines lines;
};

// A new kind of file gets its row here.
constexpr std::array<KindRow, 9> kKindRows = {{
    {FileKind::Jpeg, jpegLines},
    {FileKind::Gif, gifLines},
    {FileKind::Bitmap, bitmapLines},
    {FileKind::Icon, sizeLines},
    {FileKind::Metafile, sizeLines},
    {FileKind::Text, textLines},
    {FileKind::Wave, soundLines},
    {FileKind::Video, videoLines},
    {FileKind::Png, imageLines},
}};

KindLines linesOfShownKind(std::uint8_t shownKind) {
  const auto row = std::find_if(kKindRows.begin(), kKindRows.end(), [&](const KindRow& candidate) {
    return shownKindNumber(candidate.kind) == shownKind;
  });
  return row != kKindRows.end() ? row->lines : noLines;
}

std::int64_t powerOfTen(int exponent) {
  std::int64_t value = 1;
  for (int i = 0; i < exponent; ++i) value *= 10;
  return value;
}

int integerDigits(std::int64_t value) {
  int digits = 1;
  for (; value >= 10; value /= 10) ++digits;
  return digits;
}

}  // namespace

std::string kilobyteText(std::int64_t bytes) {
  constexpr int kSignificant = 5;
  constexpr int kDecimals = 2;
  // A file size is never negative.
  const auto magnitude = static_cast<std::uint64_t>(std::max<std::int64_t>(bytes, 0));
  const auto whole = static_cast<std::int64_t>(magnitude / 1024);
  const std::uint64_t rest = magnitude % 1024;
  const int decimals = std::clamp(kSignificant - integerDigits(whole), 0, kDecimals);
  const std::int64_t scale = powerOfTen(decimals);
  // rest / 1024 of one KB in units of 1 / scale, halves rounded up.
  const auto fraction =
      static_cast<std::int64_t>((rest * static_cast<std::uint64_t>(scale) * 2 + 1024) / 2048);
  const std::int64_t units = whole * scale + fraction;
  const std::int64_t hundredths = units * powerOfTen(kDecimals - decimals);
  const std::int64_t cents = hundredths % 100;
  return number(hundredths / 100) + (cents < 10 ? ".0" : ".") + number(cents);
}

std::string folderLineOf(std::string_view path) {
  std::string_view folder = folderOf(path);
  while (folder.size() > 1 && folder.back() == '/') folder.remove_suffix(1);
  return std::string(folder);
}

std::vector<std::string> fileInfoLines(std::string_view path, const ShownFileInfo& shown) {
  Lines lines;
  lines.push_back("ﾌｧｲﾙ名 \t" + std::string(LastPathPart(path)));
  lines.push_back("場所　\t" + folderLineOf(path));
  lines.emplace_back(" ");
  lines.push_back("ﾌｫｰﾏｯﾄ \t" + shown.format);
  if (shown.fileSize > 1024)
    lines.push_back("ﾌｧｲﾙｻｲｽﾞ \t" + kilobyteText(shown.fileSize) + " KB (" +
                    number(shown.fileSize) + "ﾊﾞｲﾄ)");
  else
    lines.push_back("ﾌｧｲﾙｻｲｽﾞ \t" + number(shown.fileSize) + "ﾊﾞｲﾄ");
  linesOfShownKind(shown.kind)(shown, lines);
  return lines;
}

}  // namespace tossbox
