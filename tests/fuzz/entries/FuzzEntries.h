#pragma once
// One entry per reader of outside bytes. The libFuzzer executables and the regression replay
// test call the same functions, so a crash input found by fuzzing replays exactly in `make test`.
// Each entry returns 0 (libFuzzer's convention) and aborts when a reader breaks its own promise.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tossbox::fuzz {

int fuzzGifReader(const std::uint8_t* data, std::size_t size);
int fuzzJpegDriver(const std::uint8_t* data, std::size_t size);
int fuzzBitmapReader(const std::uint8_t* data, std::size_t size);
int fuzzIconReader(const std::uint8_t* data, std::size_t size);
int fuzzWmfPlayer(const std::uint8_t* data, std::size_t size);
int fuzzSettingsStore(const std::uint8_t* data, std::size_t size);
int fuzzHistoryEntry(const std::uint8_t* data, std::size_t size);
int fuzzRtfConverter(const std::uint8_t* data, std::size_t size);
int fuzzAviHeader(const std::uint8_t* data, std::size_t size);
int fuzzTextLines(const std::uint8_t* data, std::size_t size);

using FuzzEntry = int (*)(const std::uint8_t*, std::size_t);

struct FuzzReader {
  std::string_view name;  // the folder of its regression files and seeds
  FuzzEntry entry;
};

// Every reader, by the name its fuzzer, seeds and regression folder carry.
[[nodiscard]] std::span<const FuzzReader> fuzzReaders();

}  // namespace tossbox::fuzz
