#include "core/media/AviHeader.h"
#include "entries/FuzzCheck.h"
#include "entries/FuzzEntries.h"

namespace tossbox::fuzz {

int fuzzAviHeader(const std::uint8_t* data, std::size_t size) {
  const auto facts = parseAviHeader({data, size});
  if (!facts) return 0;
  fuzzCheck(facts->width >= 0 && facts->height >= 0, "an AVI's size is never negative");
  fuzzCheck((facts->width == 0) == (facts->height == 0), "an AVI has both sides or neither");
  return 0;
}

}  // namespace tossbox::fuzz
