#pragma once
// Paths and texts are kept as bytes; controls show QString. One way between them.
#include <QString>
#include <string>
#include <string_view>

namespace tossbox {

// The text a control shows for `bytes`: decoded as UTF-8; bytes that are not UTF-8 are
// replaced in the text only, never in what it was made from.
[[nodiscard]] QString byteText(std::string_view bytes);

// A line of a text file as shown: decoded as UTF-8 when the file's bytes were all UTF-8, else
// as CP932 (or the lossless form a converted document uses for characters CP932 lacks). A CP932
// byte that maps to nothing shows as U+FFFD, in the shown text only.
[[nodiscard]] QString textLineText(std::string_view line, bool utf8);

// The path an edit's text stands for. An edit cannot show bytes that are not UTF-8 exactly,
// so while its text still reads as `stored`, the stored bytes are given back unchanged.
[[nodiscard]] std::string pathFromText(const QString& text, const std::string& stored);

}  // namespace tossbox
