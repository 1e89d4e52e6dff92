// The child of the kill test: saves the store `count` times with the records numbered from
// `first` on, and before each save writes the save's number (4 bytes) to standard output, so
// the parent knows which saves may have reached the file when it kills this process.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "KillRecords.h"
#include "platform/settings/SettingsStore.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: settings_saver STORE FIRST COUNT\n");
    return 2;
  }
  const tossbox::SettingsStore store{std::string(argv[1])};
  const int first = std::stoi(argv[2]);
  const int count = std::stoi(argv[3]);
  for (int number = first; number < first + count; ++number) {
    const auto announced = static_cast<std::uint32_t>(number);
    if (::write(STDOUT_FILENO, &announced, sizeof announced) != sizeof announced) return 3;
    const tossbox::SettingsStore::SaveResult saved =
        store.saveRecord(tossbox::killtest::recordFor(number));
    if (!saved.saved || !saved.errors.empty()) {
      for (const std::string& error : saved.errors) std::fprintf(stderr, "%s\n", error.c_str());
      return 4;
    }
  }
  return 0;
}
