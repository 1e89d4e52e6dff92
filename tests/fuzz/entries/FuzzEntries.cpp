#include "entries/FuzzEntries.h"

#include <array>

namespace tossbox::fuzz {

std::span<const FuzzReader> fuzzReaders() {
  static constexpr std::array readers{
      FuzzReader{"gif", fuzzGifReader},        FuzzReader{"jpeg", fuzzJpegDriver},
      FuzzReader{"bmp", fuzzBitmapReader},     FuzzReader{"icon", fuzzIconReader},
      FuzzReader{"wmf", fuzzWmfPlayer},        FuzzReader{"settings", fuzzSettingsStore},
      FuzzReader{"history", fuzzHistoryEntry}, FuzzReader{"rtf", fuzzRtfConverter},
      FuzzReader{"avi", fuzzAviHeader},        FuzzReader{"text", fuzzTextLines},
  };
  return readers;
}

}  // namespace tossbox::fuzz
