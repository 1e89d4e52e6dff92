#include "core/media/ParseNumbers.h"

#include <charconv>
#include <optional>
#include <string>

namespace tossbox {

namespace {

std::optional<int> integerOf(std::string_view piece) {
  if (!piece.empty() && piece.front() == '+') {
    piece.remove_prefix(1);
    if (!piece.empty() && piece.front() == '-') return std::nullopt;  // one sign only
  }
  if (piece.empty()) return std::nullopt;
  int value = 0;
  const char* end = piece.data() + piece.size();
  const auto [stop, error] = std::from_chars(piece.data(), end, value);
  if (error != std::errc{} || stop != end) return std::nullopt;
  return value;
}

}  // namespace

ReplyNumbers ParseNumbers(std::string_view reply) {
  ReplyNumbers numbers{};
  std::string rest(reply);
  rest += ' ';
  for (int& number : numbers) {
    const std::size_t blank = rest.find(' ');
    if (blank == std::string::npos) break;
    const std::optional<int> value = integerOf(std::string_view(rest).substr(0, blank));
    if (!value) return ReplyNumbers{};
    number = *value;
    rest.erase(0, blank + 1);
  }
  return numbers;
}

int replyInteger(std::string_view reply, int fallback) {
  return integerOf(reply).value_or(fallback);
}

}  // namespace tossbox
