#include "core/files/FileKind.h"

#include "core/files/PathRules.h"

namespace tossbox {

namespace {

constexpr std::string_view kBmp[] = {".bmp"};
constexpr std::string_view kJpeg[] = {".jpg", ".jpeg"};
constexpr std::string_view kGif[] = {".gif"};
constexpr std::string_view kIco[] = {".ico"};
constexpr std::string_view kWmf[] = {".wmf"};
constexpr std::string_view kWav[] = {".wav"};
constexpr std::string_view kAvi[] = {".avi"};
constexpr std::string_view kTxt[] = {".txt"};
constexpr std::string_view kDoc[] = {".doc"};
constexpr std::string_view kRtf[] = {".rtf"};
constexpr std::string_view kIni[] = {".ini"};
constexpr std::string_view kPng[] = {".png"};
constexpr std::string_view kWebP[] = {".webp"};
constexpr std::string_view kTiff[] = {".tif", ".tiff"};
constexpr std::string_view kMovie[] = {".mp4", ".m4v", ".mkv", ".webm", ".mov"};
constexpr std::string_view kAudio[] = {".mp3", ".ogg", ".oga", ".flac", ".m4a"};
constexpr std::string_view kPlainText[] = {".md", ".log", ".csv"};

constexpr std::array<FileKindInfo, kFileKindCount> kTable = {{
    {FileKind::Bitmap, kBmp, "BMP(ﾋﾞｯﾄﾏｯﾌﾟ)", true, true, true, 3},
    {FileKind::Jpeg, kJpeg, "JPG,JPEG", true, true, true, 1},
    {FileKind::Gif, kGif, "GIF(ｱﾆﾒｰｼｮﾝ)", true, true, true, 2},
    {FileKind::Icon, kIco, "ICO(ｱｲｺﾝ)", true, true, false, 4},
    {FileKind::Metafile, kWmf, "WMF(ﾒﾀﾌｧｲﾙ)", true, true, true, 5},
    {FileKind::Wave, kWav, "WAV(ｻｳﾝﾄﾞ)", true, true, false, 7},
    {FileKind::Video, kAvi, "AVI(ﾑｰﾋﾞｰ)", true, true, true, 8},
    {FileKind::Text, kTxt, "TXT(ﾃｷｽﾄ)", true, true, true, 6},
    {FileKind::Document, kDoc, "DOC(ﾄﾞｷｭﾒﾝﾄ)", false, true, true, 6},
    {FileKind::RichText, kRtf, "RTF(ﾘｯﾁﾃｷｽﾄ)", true, true, true, 6},
    {FileKind::Ini, kIni, "INIT(INIT)", true, true, true, 6},
    {FileKind::Png, kPng, "PNG", true, true, true, 9},
    {FileKind::WebP, kWebP, "WebP", true, true, true, 9},
    {FileKind::Tiff, kTiff, "TIFF", true, true, true, 9},
    {FileKind::Movie, kMovie, "動画 (MP4 ほか)", true, true, true, 8},
    {FileKind::Audio, kAudio, "音声 (MP3 ほか)", true, true, false, 7},
    {FileKind::PlainText, kPlainText, "ﾃｷｽﾄ (MD/LOG/CSV)", true, true, true, 6},
}};

// Longest extension in the table, dot included (".jpeg", ".webp", ".tiff", ".flac").
constexpr std::size_t kLongestExtension = 5;

}  // namespace

std::span<const FileKindInfo, kFileKindCount> fileKindTable() {
  return kTable;
}

const FileKindInfo& fileKindInfo(FileKind kind) {
  return kTable[kindIndex(kind)];
}

std::uint8_t shownKindNumber(FileKind kind) {
  return fileKindInfo(kind).shownNumber;
}

bool enlargeableExtension(std::string_view extension) {
  const auto kind = fileKindOfExtension(extension);
  return kind && fileKindInfo(*kind).enlargeable;
}

std::optional<FileKind> fileKindOfExtension(std::string_view extension) {
  for (const FileKindInfo& info : kTable) {
    for (const std::string_view known : info.extensions) {
      if (known == extension) return info.kind;
    }
  }
  return std::nullopt;
}

std::optional<FileKind> fileKindOf(std::string_view path) {
  // Called once per directory item of a scan, so the extension is lowered in place rather than
  // through extensionOf()'s allocation.
  const std::string_view name = LastPathPart(path);
  const auto dot = name.rfind('.');
  if (dot == std::string_view::npos || name.size() - dot > kLongestExtension) return std::nullopt;
  std::array<char, kLongestExtension> lowered{};
  const std::string_view extension = name.substr(dot);
  for (std::size_t i = 0; i < extension.size(); ++i) {
    const char c = extension[i];
    lowered[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return fileKindOfExtension(std::string_view(lowered.data(), extension.size()));
}

}  // namespace tossbox
