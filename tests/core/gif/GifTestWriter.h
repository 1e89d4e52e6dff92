#pragma once
// Builds GIF files for tests and benchmarks: an LZW encoder and a writer for the blocks.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tossbox::gif_test {

// LZW codes for `indices` as the GIF format packs them (starting with a clear code, ending with
// the end code), not yet cut into sub-blocks.
[[nodiscard]] std::vector<std::uint8_t> lzwEncode(std::span<const std::uint8_t> indices,
                                                  int minCodeSize);
// Cuts data into sub-blocks of at most 255 bytes and adds the terminator.
[[nodiscard]] std::vector<std::uint8_t> subBlocks(std::span<const std::uint8_t> data);

struct GifTestImage {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;         // rows top to bottom
  std::vector<std::uint32_t> localColours;  // 0xRRGGBB
  bool interlaced = false;
  int minCodeSize = 0;  // 0: from the colour table, at least 2
};

class GifTestWriter {
 public:
  GifTestWriter& header(int width, int height, const std::vector<std::uint32_t>& globalColours,
                        int backgroundIndex = 0, const std::string& signature = "GIF89a");
  GifTestWriter& comment(const std::string& text);
  GifTestWriter& loop(int count, const std::string& identifier = "NETSCAPE2.0");
  GifTestWriter& control(int disposal, int delay, std::optional<int> transparentIndex = {});
  GifTestWriter& image(const GifTestImage& image);
  GifTestWriter& raw(const std::vector<std::uint8_t>& bytes);
  GifTestWriter& trailer();

  [[nodiscard]] const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  void word(int value);
  void colourTable(const std::vector<std::uint32_t>& colours, int entries);

  std::vector<std::uint8_t> bytes_;
  int globalBits_ = 1;
};

// The table size exponent for `count` colours: the table holds 2 << exponent entries.
[[nodiscard]] int tableExponent(std::size_t count);

}  // namespace tossbox::gif_test
