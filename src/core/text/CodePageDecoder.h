#pragma once
// Turns bytes written in a Windows code page into UTF-8, for readers of
// formats that name their code page by number (RTF's \ansicpgN, \cpgN and
// \fcharsetN).
//
// Bytes the code page does not define become U+FFFD, one per bad sequence, so
// the damage stays visible instead of vanishing. A code page iconv does not
// know is read as Windows-1252, the usual default.
#include <iconv.h>

#include <map>
#include <string>
#include <string_view>

namespace tossbox {

inline constexpr int kDefaultCodePage = 1252;

inline constexpr int kDocumentCodePage = -1;

// The code page of a font character set number (\fcharsetN), or
// kDocumentCodePage for the default set and sets without a code page.
[[nodiscard]] int codePageOfCharset(int charset);

class CodePageDecoder {
 public:
  CodePageDecoder() = default;
  ~CodePageDecoder();
  CodePageDecoder(const CodePageDecoder&) = delete;
  CodePageDecoder& operator=(const CodePageDecoder&) = delete;

  // Appends the UTF-8 text of `bytes` in `codePage` to `out`.
  void decode(int codePage, std::string_view bytes, std::string& out);

 private:
  // One open conversion per code page met, kept for the whole document.
  iconv_t handleFor(int codePage);

  std::map<int, iconv_t> handles_;
};

}  // namespace tossbox
