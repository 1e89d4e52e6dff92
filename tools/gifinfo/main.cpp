// gifinfo FILE [--png PREFIX]: prints the structure of a GIF file (header, tables, each frame
// with its descriptor and extensions, version, colour resolution, warnings, the error if any)
// and writes its composited frames as PREFIX.N.png, so a file can be compared with reference
// frames.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "GifInfoPrinter.h"
#include "PngWriter.h"
#include "core/gif/GifException.h"

namespace {

constexpr std::uint64_t kLargestPng = std::uint64_t{1} << 26;  // pixels

int usage() {
  std::cerr << "usage: gifinfo FILE [--png PREFIX]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--png")) return usage();
  const std::string path = argv[1];
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::cerr << "gifinfo: cannot open " << path << "\n";
    return 1;
  }
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>()};
  std::cout << "file: " << path << " (" << bytes.size() << " bytes)\n";

  tossbox::TGIFImage image;
  std::vector<std::string> warnings;
  image.setOnWarning([&](const tossbox::TGIFImage&, tossbox::GifSeverity, std::string_view text) {
    warnings.emplace_back(text);
  });
  std::string error;
  try {
    image.loadFromMemory(bytes);
  } catch (const tossbox::GIFException& e) {
    error = e.what();
  }
  if (error.empty()) tossbox::printGifStructure(std::cout, image, bytes);
  for (const auto& warning : warnings) std::cout << "warning: " << warning << "\n";
  if (!error.empty()) {
    std::cout << "error: " << error << "\n";
    return 1;
  }
  if (argc != 4) return 0;

  if (std::uint64_t(image.width()) * std::uint64_t(image.height()) > kLargestPng) {
    std::cout << "frames not written: the logical screen is too large\n";
    return 0;
  }
  int written = 0;
  bool failed = false;
  tossbox::compositeFrames(image, [&](int frame, const std::vector<std::uint8_t>& rgba) {
    const std::string name = std::string(argv[3]) + "." + std::to_string(written) + ".png";
    if (failed || !tossbox::writeRgbaPng(name, image.width(), image.height(), rgba)) {
      if (!failed) std::cerr << "gifinfo: cannot write " << name << "\n";
      failed = true;
      return;
    }
    std::cout << "wrote " << name << " (after frame " << frame << ")\n";
    ++written;
  });
  std::cout << written << " composited frames written\n";
  return failed ? 1 : 0;
}
