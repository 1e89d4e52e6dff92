#include <string_view>

#include "core/text/AnsiText.h"
#include "core/text/CodePageDecoder.h"
#include "core/text/TextLines.h"
#include "entries/FuzzCheck.h"
#include "entries/FuzzEntries.h"

namespace tossbox::fuzz {

namespace {

TextLines split(std::string_view bytes, std::size_t piece) {
  TextLineSplitter splitter;
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    if (!splitter.feed(bytes.substr(at, piece))) break;
  }
  return splitter.finish();
}

void checkSame(const TextLines& whole, const TextLines& pieces) {
  fuzzCheck(whole.lineCount() == pieces.lineCount() && whole.byteCount() == pieces.byteCount() &&
                whole.utf8() == pieces.utf8() && whole.size() == pieces.size(),
            "text split in pieces counts as text split whole");
  for (std::size_t i = 0; i < whole.size(); ++i) {
    fuzzCheck(whole[i] == pieces[i], "text split in pieces gives the same lines");
    fuzzCheck(whole[i].find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos,
              "a text line holds no line break or zero byte");
  }
}

}  // namespace

// The splitter whole and in pieces of a size the first byte picks (a CR may end one piece and
// its LF begin the next), then the code-page conversions a text view applies to the lines.
int fuzzTextLines(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t piece = size == 0 ? 1 : 1 + data[0] % 7;
  const TextLines whole = split(bytes, bytes.size() + 1);
  checkSame(whole, split(bytes, piece));
  fuzzCheck(whole.utf8() == isValidUtf8(bytes.substr(0, bytes.find('\0'))),
            "text reads as UTF-8 exactly when its bytes are UTF-8");
  CodePageDecoder decoder;
  for (std::size_t i = 0; i < whole.size() && i < 64; ++i) {
    const auto utf8 = cp932ToUtf8(whole[i]);
    if (utf8) fuzzCheck(utf8ToCp932(*utf8).has_value(), "CP932 text converts back");
    std::string decoded;
    decoder.decode(kDefaultCodePage, whole[i], decoded);
    fuzzCheck(isValidUtf8(decoded), "a code page's text decodes to valid UTF-8");
  }
  return 0;
}

}  // namespace tossbox::fuzz
