#pragma once
// The numbers of a media device's reply such as "0 0 320 240": up to ten
// integers separated by single blanks.
#include <array>
#include <string_view>

namespace tossbox {

using ReplyNumbers = std::array<int, 10>;

// Splits at blanks and reads each piece as a decimal integer (an optional
// sign, then digits); at most ten pieces are read, the rest is ignored, and
// numbers not given are 0. When any piece read is not a number (an empty
// piece between two blanks, a non-digit, a value outside int), all ten are 0.
[[nodiscard]] ReplyNumbers ParseNumbers(std::string_view reply);

// The reply read as one integer, or `fallback` when it is not one.
[[nodiscard]] int replyInteger(std::string_view reply, int fallback = 0);

}  // namespace tossbox
