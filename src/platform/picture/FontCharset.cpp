#include "platform/picture/FontCharset.h"

#include <array>

#include "core/text/AnsiText.h"

namespace tossbox {

namespace {

constexpr std::uint8_t kAnsiCharset = 0;
constexpr std::uint8_t kSymbolCharset = 2;

bool usesCp932(std::uint8_t charset) {
  return charset != kAnsiCharset && charset != kSymbolCharset;
}

bool isCp932Lead(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Windows-1252 differs from Latin-1 in 0x80..0x9F; unassigned codes stay.
QString decode1252(std::string_view bytes) {
  static constexpr std::array<char16_t, 32> kHigh = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    text.append(b >= 0x80 && b < 0xA0 ? QChar(kHigh[b - 0x80]) : QChar(b));
  }
  return text;
}

}  // namespace

QString decodeFontText(std::string_view bytes, std::uint8_t charset) {
  if (charset == kAnsiCharset) return decode1252(bytes);
  if (usesCp932(charset)) {
    if (const auto utf8 = cp932ToUtf8(bytes)) {
      return QString::fromUtf8(utf8->data(), static_cast<qsizetype>(utf8->size()));
    }
  }
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::vector<std::string_view> splitFontCharacters(std::string_view bytes, std::uint8_t charset) {
  std::vector<std::string_view> characters;
  const bool doubleByte = usesCp932(charset);
  for (std::size_t i = 0; i < bytes.size();) {
    const bool pair =
        doubleByte && i + 1 < bytes.size() && isCp932Lead(static_cast<unsigned char>(bytes[i]));
    const std::size_t length = pair ? 2 : 1;
    characters.push_back(bytes.substr(i, length));
    i += length;
  }
  return characters;
}

}  // namespace tossbox
