#pragma once
// Splits RTF bytes into tokens: group braces, control words with their
// parameters, control symbols, \'hh bytes, runs of plain text and \bin data.
//
// The lexer only reads forward and never allocates: every token borrows from
// the input. A file cut short simply ends; a \bin length past the end takes
// what is left.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tossbox {

enum class RtfTokenKind {
  GroupStart,
  GroupEnd,
  ControlWord,    // name, optional parameter
  ControlSymbol,  // a backslash and one non-letter, e.g. \~ or \*
  HexByte,        // \'hh
  Text,           // plain bytes up to the next brace, backslash or line break
  Binary,         // the data of \binN
  End,
};

struct RtfToken {
  RtfTokenKind kind = RtfTokenKind::End;
  std::string_view text;  // word name, text run or binary data
  bool hasParameter = false;
  std::int32_t parameter = 0;  // clamped to the 32-bit range
  char symbol = 0;
  std::uint8_t byte = 0;
};

class RtfLexer {
 public:
  explicit RtfLexer(std::string_view input) : input_(input) {}

  [[nodiscard]] RtfToken next();

 private:
  [[nodiscard]] RtfToken controlAfterBackslash();
  [[nodiscard]] RtfToken controlWord();
  [[nodiscard]] RtfToken hexByte();
  [[nodiscard]] RtfToken textRun();
  [[nodiscard]] bool atEnd() const { return position_ >= input_.size(); }
  [[nodiscard]] char peek() const { return input_[position_]; }

  std::string_view input_;
  std::size_t position_ = 0;
};

}  // namespace tossbox
