#include "forms/common/ByteText.h"

#include <cstdint>

#include "core/text/AnsiText.h"
#include "core/text/StoredText.h"

namespace tossbox {

namespace {

bool isCp932Lead(std::uint8_t byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Character by character, so one bad byte costs only its own character.
QString lenientCp932Text(std::string_view bytes) {
  QString text;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<std::uint8_t>(bytes[i]);
    const std::size_t length = isCp932Lead(lead) && i + 1 < bytes.size() ? 2 : 1;
    const auto character = cp932ToUtf8(bytes.substr(i, length));
    text += character ? byteText(*character) : QString(QChar::ReplacementCharacter);
    i += character || length == 1 ? length : 1;
  }
  return text;
}

}  // namespace

QString byteText(std::string_view bytes) {
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString textLineText(std::string_view line, bool utf8) {
  if (utf8) return byteText(line);
  // Lines of converted documents keep characters CP932 lacks in the store's lossless form.
  if (line.starts_with(kRawTextMarker)) return byteText(decodeStoredText(line).text);
  const auto converted = cp932ToUtf8(line);
  return converted ? byteText(*converted) : lenientCp932Text(line);
}

std::string pathFromText(const QString& text, const std::string& stored) {
  if (text == byteText(stored)) return stored;
  return text.toStdString();
}

}  // namespace tossbox
