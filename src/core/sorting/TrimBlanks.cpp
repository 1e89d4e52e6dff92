#include "core/sorting/TrimBlanks.h"

namespace tossbox {

namespace {

bool isBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

std::string trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

}  // namespace tossbox
