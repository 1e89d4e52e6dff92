#pragma once
// Conversion between the program's own text (UTF-8 byte strings) and CP932,
// the code page of every fixed byte format the program reads and writes.
//
// Conversion to CP932 is strict: it succeeds only when converting the result
// back gives the very same bytes. glibc folds several characters onto one CP932
// code (U+301C and U+FF5E both become 0x8160, U+00A5 becomes 0x5C); accepting
// that would silently turn one folder name into another.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tossbox {

// The CP932 bytes of `utf8`; nullopt when `utf8` is not valid UTF-8 or holds a
// character CP932 cannot represent exactly.
[[nodiscard]] std::optional<std::string> utf8ToCp932(std::string_view utf8);

// The UTF-8 text of the CP932 bytes `cp932`; nullopt when they are not valid
// CP932 (an unmapped code, a lone lead byte at the end).
[[nodiscard]] std::optional<std::string> cp932ToUtf8(std::string_view cp932);

// How many CP932 bytes `utf8` takes; nullopt as for utf8ToCp932.
[[nodiscard]] std::optional<std::size_t> cp932ByteCount(std::string_view utf8);

// Whether `bytes` is well-formed UTF-8 (no overlong forms, surrogates or code
// points above U+10FFFF).
[[nodiscard]] bool isValidUtf8(std::string_view bytes);

}  // namespace tossbox
