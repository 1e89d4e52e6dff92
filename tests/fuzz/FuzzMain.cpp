// The libFuzzer executable of one reader; TOSSBOX_FUZZ_ENTRY names its entry.
#include "entries/FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return tossbox::fuzz::TOSSBOX_FUZZ_ENTRY(data, size);
}
