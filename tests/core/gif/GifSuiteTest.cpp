// Runs the public GIF conformance suite: sizes, loop counts, delays and the composited frames
// (over a transparent background) of every case, and clean failures for the invalid files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "ConformanceSuite.h"
#include "GifTestClock.h"
#include "core/gif/GifException.h"
#include "core/gif/GifImage.h"

namespace tossbox {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const fs::path kSuite = conformanceSuite("gif-suite");

using Section = std::map<std::string, std::string>;

std::map<std::string, Section> readConf(const fs::path& path) {
  std::map<std::string, Section> sections;
  std::ifstream in(path);
  std::string line;
  std::string current;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '[') {
      current = line.substr(1, line.find(']') - 1);
      continue;
    }
    const auto equals = line.find(" = ");
    if (equals == std::string::npos) {
      const auto bare = line.find(" =");
      if (bare != std::string::npos) sections[current][line.substr(0, bare)] = "";
      continue;
    }
    sections[current][line.substr(0, equals)] = line.substr(equals + 3);
  }
  return sections;
}

Bytes readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> split(const std::string& text) {
  std::vector<std::string> parts;
  std::stringstream stream(text);
  std::string part;
  while (std::getline(stream, part, ',')) {
    if (!part.empty()) parts.push_back(part);
  }
  return parts;
}

Bytes toRgba(const GifBitmap& bitmap) {
  Bytes rgba;
  rgba.reserve(bitmap.pixels.size() * 4);
  for (std::uint32_t p : bitmap.pixels) {
    rgba.insert(rgba.end(), {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                             static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(p >> 24)});
  }
  return rgba;
}

struct Shown {
  int frame;  // our frame index
  Bytes rgba;
};

// What our painter shows, frame by frame, drawing the image into a transparent canvas of the
// logical screen's size.
std::vector<Shown> paintAll(TGIFImage& image) {
  if (image.empty()) return {};
  GifBitmap target(image.width(), image.height(), 0);
  std::vector<Shown> shown;
  GifBitmapCanvas canvas(target);
  GifPainterEvents events;
  events.onAfterFrame = [&](int frame) { shown.push_back({frame, toRgba(target)}); };
  image.setPainterEvents(events);
  image.setClock(std::make_shared<gif_test::FakeClock>());
  (void)image.StartPaint(canvas, {0, 0, image.width(), image.height()},
                         PaintFlag::pfAnimate | PaintFlag::pfTransparent);
  return shown;
}

// Where our rules deliberately give another result than the suite expects.
struct Difference {
  std::string error;  // the error we raise, or empty when we load the file
  std::string reason;
  // For a file we load: what we do instead, and whether the suite's frames still match ours.
  std::function<void(const TGIFImage&, const std::vector<Shown>&)> ours = {};
  bool framesMatch = false;
};

const char* const kOneSubBlockLoop =
    "a loop extension must be exactly one sub-block (size 3, id 1, count, terminator); one that "
    "goes on with the buffering sub-block is \"Invalid GIF data\" by our rules";

const std::map<std::string, Difference> kDifferences = {
    {"no-data",
     {"",
      "a file without an image is an empty image: no frames, nothing drawn; the suite counts the "
      "blank screen as one transparent frame",
      [](const TGIFImage& image, const std::vector<Shown>& shown) {
        EXPECT_TRUE(image.empty());
        EXPECT_TRUE(shown.empty());
      }}},
    {"image-zero-width",
     {"Invalid GIF data",
      "an image of width 0 takes the logical screen's size, so the next byte (0x3B, the end of "
      "the file) is read as its LZW code size, which cannot be decoded; the suite skips the "
      "image"}},
    {"image-zero-height",
     {"Premature end of data",
      "the descriptor announces a local colour table that the file does not hold; a cut-off table "
      "is an error by our rules"}},
    {"image-zero-size",
     {"Premature end of data",
      "the descriptor announces a local colour table that the file does not hold; a cut-off table "
      "is an error by our rules"}},
    {"invalid-colors",
     {"", "a colour index past the colour table is no error for us: the pixel is drawn black",
      [](const TGIFImage&, const std::vector<Shown>& shown) {
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].rgba, (Bytes{0, 0, 0, 255}));
      }}},
    {"loop-buffer", {"Invalid GIF data", kOneSubBlockLoop}},
    {"loop-buffer_max", {"Invalid GIF data", kOneSubBlockLoop}},
    {"loop-animexts", {"Invalid GIF data", kOneSubBlockLoop}},
    {"plain-text",
     {"",
      "we read the plain text extension but draw only the image; the suite has no reference "
      "frame for it",
      [](const TGIFImage& image, const std::vector<Shown>& shown) {
        ASSERT_EQ(image.frameCount(), 1);
        const auto* text =
            dynamic_cast<const TGIFTextExtension*>(image.frame(0).extensions().at(0).get());
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->lines, std::vector<std::string>{"Hello"});
        EXPECT_EQ(shown.size(), 1u);
      }}},
    {"unknown-extension",
     {"Unknown extension type",
      "an extension label other than 0x01, 0xF9, 0xFE and 0xFF is an error by our rules"}},
    {"gif87a-animation",
     {"", "without a loop extension we play the frames once; the suite loops such a file forever",
      [](const TGIFImage& image, const std::vector<Shown>&) {
        EXPECT_EQ(image.loopCount(), std::nullopt);
      },
      true}},
};

// The suite merges images without a delay into the next frame unless the animation is forced;
// we show every image as a frame of its own. A suite frame is compared with our frame that ends
// its group.
std::vector<int> suiteFrameEnds(const TGIFImage& image, bool forced, std::vector<int> images) {
  std::vector<int> ends;
  for (std::size_t i = 0; i < images.size(); ++i) {
    const auto* control = image.frame(images[i]).graphicControlExtension();
    const bool delayed = control != nullptr && control->delay > 0;
    if (forced || delayed || i + 1 == images.size()) ends.push_back(images[i]);
  }
  return ends;
}

void checkCase(const std::string& name) {
  SCOPED_TRACE(name);
  const auto conf = readConf(kSuite / (name + ".conf"));
  const Section& config = conf.at("config");
  const auto expectedFrames = split(config.count("frames") ? config.at("frames") : "");
  const auto difference = kDifferences.find(name);

  TGIFImage image;
  std::string error;
  try {
    image.loadFromFile((kSuite / config.at("input")).string());
  } catch (const GIFException& e) {
    error = e.what();
  }
  if (difference != kDifferences.end() && !difference->second.error.empty()) {
    std::cout << "  differs on purpose: " << name << ": " << difference->second.reason << "\n";
    EXPECT_EQ(error, difference->second.error);
    return;
  }
  if (expectedFrames.empty() && !error.empty()) return;  // an invalid file, failing cleanly
  ASSERT_EQ(error, "") << "the suite expects this file to load";

  EXPECT_EQ(image.width(), std::stoi(config.at("width")));
  EXPECT_EQ(image.height(), std::stoi(config.at("height")));
  const auto shown = paintAll(image);
  if (difference != kDifferences.end()) {
    std::cout << "  differs on purpose: " << name << ": " << difference->second.reason << "\n";
    difference->second.ours(image, shown);
    if (!difference->second.framesMatch) return;
  } else {
    const std::string loops = config.at("loop-count");
    const auto loopCount = image.loopCount();
    if (loops == "infinite") {
      EXPECT_EQ(loopCount, 0);
    } else if (loops == "0") {
      EXPECT_EQ(loopCount, std::nullopt);
    } else {
      EXPECT_EQ(loopCount, std::stoi(loops));
    }
  }

  std::vector<int> images;
  for (const Shown& s : shown) images.push_back(s.frame);
  const auto ends = suiteFrameEnds(image, config.at("force-animation") == "yes", images);
  ASSERT_EQ(ends.size(), expectedFrames.size());
  for (std::size_t i = 0; i < ends.size(); ++i) {
    const Section& frame = conf.at(expectedFrames[i]);
    const Bytes expected = readFile(kSuite / frame.at("pixels"));
    const auto it = std::find_if(shown.begin(), shown.end(),
                                 [&](const Shown& s) { return s.frame == ends[i]; });
    EXPECT_EQ(it->rgba, expected) << "frame " << i;
    if (frame.count("delay")) {
      EXPECT_EQ(gifFrameDelay(image.frame(ends[i]), true), std::stoi(frame.at("delay")))
          << "frame " << i;
    }
  }
}

TEST(GifSuite, EveryCase) {
  if (!suitePresent({kSuite / "TESTS"})) return;
  std::ifstream list(kSuite / "TESTS");
  std::string name;
  int cases = 0;
  while (std::getline(list, name)) {
    if (name.empty()) continue;
    checkCase(name);
    ++cases;
  }
  EXPECT_GT(cases, 80);
}

}  // namespace
}  // namespace tossbox
