#include "core/shellns/DisplayText.h"

#include <optional>

#include "core/text/AnsiText.h"

namespace tossbox {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool isContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at the start of `text`, or 0.
std::size_t utf8SequenceLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  const auto second = static_cast<unsigned char>(text[1]);
  if (second < low || second > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!isContinuation(static_cast<unsigned char>(text[i]))) return 0;
  }
  return length;
}

}  // namespace

std::string displayTextOfName(std::string_view name) {
  std::string text;
  text.reserve(name.size());
  bool valid = true;
  for (std::size_t i = 0; i < name.size();) {
    const std::size_t length = utf8SequenceLength(name.substr(i));
    if (length == 0) {
      valid = false;
      text.append(kReplacement);
      ++i;
      continue;
    }
    text.append(name.substr(i, length));
    i += length;
  }
  if (valid) return text;
  if (std::optional<std::string> fromCp932 = cp932ToUtf8(name)) return *fromCp932;
  return text;
}

}  // namespace tossbox
