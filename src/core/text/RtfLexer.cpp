#include "core/text/RtfLexer.h"

#include <algorithm>
#include <limits>

namespace tossbox {
namespace {

bool isLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

RtfToken tokenOf(RtfTokenKind kind) {
  RtfToken token;
  token.kind = kind;
  return token;
}

RtfToken symbolToken(char symbol) {
  RtfToken token = tokenOf(RtfTokenKind::ControlSymbol);
  token.symbol = symbol;
  return token;
}

RtfToken textToken(RtfTokenKind kind, std::string_view text) {
  RtfToken token = tokenOf(kind);
  token.text = text;
  return token;
}

}  // namespace

RtfToken RtfLexer::next() {
  while (!atEnd()) {
    const char c = peek();
    if (c == '\r' || c == '\n') {
      ++position_;
      continue;
    }
    if (c == '{') {
      ++position_;
      return tokenOf(RtfTokenKind::GroupStart);
    }
    if (c == '}') {
      ++position_;
      return tokenOf(RtfTokenKind::GroupEnd);
    }
    if (c == '\\') {
      ++position_;
      return controlAfterBackslash();
    }
    return textRun();
  }
  return {};
}

RtfToken RtfLexer::controlAfterBackslash() {
  if (atEnd()) return {};
  const char c = peek();
  if (isLetter(c)) return controlWord();
  ++position_;
  if (c == '\'') return hexByte();
  // A backslash before a line break is a paragraph mark.
  if (c == '\r' || c == '\n') return textToken(RtfTokenKind::ControlWord, "par");
  return symbolToken(c);
}

RtfToken RtfLexer::controlWord() {
  const std::size_t start = position_;
  while (!atEnd() && isLetter(peek())) ++position_;
  RtfToken token = textToken(RtfTokenKind::ControlWord, input_.substr(start, position_ - start));

  bool negative = false;
  if (!atEnd() && peek() == '-' && position_ + 1 < input_.size() &&
      isDigit(input_[position_ + 1])) {
    negative = true;
    ++position_;
  }
  if (!atEnd() && isDigit(peek())) {
    // Saturate instead of overflowing; the remaining digits still belong to
    // the word and are consumed.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    while (!atEnd() && isDigit(peek())) {
      value = std::min(kLimit, value * 10 + (peek() - '0'));
      ++position_;
    }
    if (negative) value = -value;
    token.hasParameter = true;
    token.parameter = static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
  }
  if (!atEnd() && peek() == ' ') ++position_;

  if (token.text == "bin") {
    const std::size_t wanted = token.parameter > 0 ? static_cast<std::size_t>(token.parameter) : 0;
    const std::size_t length = std::min(wanted, input_.size() - position_);
    token = textToken(RtfTokenKind::Binary, input_.substr(position_, length));
    position_ += length;
  }
  return token;
}

RtfToken RtfLexer::hexByte() {
  int value = 0;
  for (int digit = 0; digit < 2; ++digit) {
    const int v = atEnd() ? -1 : hexValue(peek());
    // A broken escape carries no byte; what follows is read as usual.
    if (v < 0) return symbolToken('\'');
    value = value * 16 + v;
    ++position_;
  }
  RtfToken token = tokenOf(RtfTokenKind::HexByte);
  token.byte = static_cast<std::uint8_t>(value);
  return token;
}

RtfToken RtfLexer::textRun() {
  const std::size_t start = position_;
  while (!atEnd()) {
    const char c = peek();
    if (c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n') break;
    ++position_;
  }
  return textToken(RtfTokenKind::Text, input_.substr(start, position_ - start));
}

}  // namespace tossbox
