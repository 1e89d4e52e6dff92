#include "forms/common/ByteText.h"

namespace tossbox {

QString byteText(std::string_view bytes) {
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string pathFromText(const QString& text, const std::string& stored) {
  if (text == byteText(stored)) return stored;
  return text.toStdString();
}

}  // namespace tossbox
