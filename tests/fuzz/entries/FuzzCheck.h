#pragma once
// A broken promise of a reader: printed, then abort(), which libFuzzer records as a crash and
// the replay test as a failed run.
namespace tossbox::fuzz {

void fuzzCheck(bool holds, const char* what);

}  // namespace tossbox::fuzz
