#pragma once
// How a typed path or name is taken: without the blanks and control characters around it.
// Bytes below 0x21 never occur inside a UTF-8 or CP932 sequence, so no character is cut.
#include <string>
#include <string_view>

namespace tossbox {

[[nodiscard]] std::string trimBlanks(std::string_view text);

}  // namespace tossbox
