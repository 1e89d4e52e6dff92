#pragma once
// The text of a metafile's text records and font names: bytes in the font's
// character set. Japanese and default character sets are CP932, the Western
// one is Windows-1252; bytes that do not decode are shown as Latin-1 rather
// than dropped.
#include <QString>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tossbox {

[[nodiscard]] QString decodeFontText(std::string_view bytes, std::uint8_t charset);

// The bytes of each character: one or two (a CP932 lead byte and its trail).
[[nodiscard]] std::vector<std::string_view> splitFontCharacters(std::string_view bytes,
                                                                std::uint8_t charset);

}  // namespace tossbox
