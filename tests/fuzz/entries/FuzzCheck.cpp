#include "entries/FuzzCheck.h"

#include <cstdio>
#include <cstdlib>

namespace tossbox::fuzz {

void fuzzCheck(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

}  // namespace tossbox::fuzz
