#include <string>
#include <string_view>

#include "core/text/AnsiText.h"
#include "core/text/RtfLexer.h"
#include "core/text/RtfText.h"
#include "entries/FuzzCheck.h"
#include "entries/FuzzEntries.h"

namespace tossbox::fuzz {

namespace {

// Every token takes at least one byte, so the lexer ends within size + 1 tokens.
void lexWhole(std::string_view rtf) {
  RtfLexer lexer(rtf);
  for (std::size_t tokens = 0; tokens <= rtf.size(); ++tokens) {
    const RtfToken token = lexer.next();
    if (token.kind == RtfTokenKind::End) return;
    // Text and \bin data are views of the input (a control word may name a fixed word).
    const bool borrowed = token.kind == RtfTokenKind::Text || token.kind == RtfTokenKind::Binary;
    if (!borrowed || token.text.empty()) continue;
    fuzzCheck(token.text.data() >= rtf.data() &&
                  token.text.data() + token.text.size() <= rtf.data() + rtf.size(),
              "RTF text and binary tokens lie inside the input");
  }
  fuzzCheck(false, "the RTF lexer ends");
}

}  // namespace

int fuzzRtfConverter(const std::uint8_t* data, std::size_t size) {
  const std::string_view rtf(reinterpret_cast<const char*>(data), size);
  lexWhole(rtf);
  const auto lines = rtfToLines(rtf);
  const auto utf8Lines = rtfToUtf8Lines(rtf);
  if (!rtf.starts_with("{\\rtf")) return 0;
  fuzzCheck(lines.size() == utf8Lines.size(), "both conversions give the same lines");
  for (const std::string& line : utf8Lines) {
    fuzzCheck(isValidUtf8(line), "an RTF line converted to UTF-8 is valid UTF-8");
    fuzzCheck(line.find_first_of("\r\n") == std::string::npos, "an RTF line holds no line break");
  }
  return 0;
}

}  // namespace tossbox::fuzz
