#pragma once
// The table of the file kinds the program collects and shows. A kind's number is the position of
// its check box in the kind filter and of its count label; the same order runs through every
// array indexed by kind here. Kinds 1 to 11 are the older ones, whose flags the settings record
// keeps in its fixed fields; 12 to 17 came later and keep theirs in a value of their own.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tossbox {

enum class FileKind : unsigned char {
  Bitmap = 1,
  Jpeg = 2,
  Gif = 3,
  Icon = 4,
  Metafile = 5,
  Wave = 6,
  Video = 7,
  Text = 8,
  Document = 9,
  RichText = 10,
  Ini = 11,
  Png = 12,
  WebP = 13,
  Tiff = 14,
  Movie = 15,      // MP4, M4V, MKV, WebM, MOV
  Audio = 16,      // MP3, OGG, OGA, FLAC, M4A
  PlainText = 17,  // MD, LOG, CSV
};

inline constexpr std::size_t kFileKindCount = 17;
inline constexpr std::size_t kOlderFileKindCount = 11;

// One row of the table. `caption` is the filter check box's text (UTF-8).
struct FileKindInfo {
  FileKind kind;
  std::span<const std::string_view> extensions;  // lower case, dot included
  std::string_view caption;
  bool collectedByScan;       // a folder scan collects it
  bool acceptedAsSinglePath;  // a path given by itself (dropped, command line) is taken
  bool enlargeable;           // the enlarged viewer can show it
  // The number the information window and the same-name dialog show: 1 JPEG, 2 GIF, 3 BMP,
  // 4 ICO, 5 WMF, 6 for the text kinds, 7 sound, 8 video, 9 a picture read through the
  // system's image readers (PNG, WebP, TIFF). Other windows print it, so it keeps its own order
  // beside kindNumber()'s.
  std::uint8_t shownNumber;
};

// 1 for Bitmap ... 17 for PlainText.
[[nodiscard]] constexpr std::size_t kindNumber(FileKind kind) {
  return static_cast<std::size_t>(kind);
}
// 0 for Bitmap ... 16 for PlainText: the index into arrays of kFileKindCount.
[[nodiscard]] constexpr std::size_t kindIndex(FileKind kind) {
  return kindNumber(kind) - 1;
}

// All rows in kind order.
[[nodiscard]] std::span<const FileKindInfo, kFileKindCount> fileKindTable();
[[nodiscard]] const FileKindInfo& fileKindInfo(FileKind kind);
[[nodiscard]] std::uint8_t shownKindNumber(FileKind kind);

// The kind of an extension as extensionOf() gives it (lower case, dot included).
[[nodiscard]] std::optional<FileKind> fileKindOfExtension(std::string_view extension);
// Whether the enlarged viewer can show files of this extension (as extensionOf() gives it).
[[nodiscard]] bool enlargeableExtension(std::string_view extension);
// The kind of a file name or path by its extension; ".jpg" and ".jpeg" are both Jpeg.
[[nodiscard]] std::optional<FileKind> fileKindOf(std::string_view path);

}  // namespace tossbox
