#include <gtest/gtest.h>

#include "AviFixtures.h"
#include "core/media/AviHeader.h"

namespace {

using fixtures::AviLayout;
using fixtures::ByteVector;
using tossbox::AviFacts;
using tossbox::Bytes;
using tossbox::parseAviHeader;

std::optional<AviFacts> parse(const ByteVector& bytes) {
  return parseAviHeader(Bytes(bytes.data(), bytes.size()));
}

void setU32(ByteVector& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::size_t offsetOf(const ByteVector& bytes, const char* id) {
  const auto found = std::search(bytes.begin(), bytes.end(), id, id + 4);
  return static_cast<std::size_t>(found - bytes.begin());
}

TEST(AviHeader, ReadsTheMainHeaderAndFallsBackToTheVideoStream) {
  const auto facts = parse(fixtures::aviBytes());
  ASSERT_TRUE(facts);
  EXPECT_EQ(facts->frameCount, 50u);
  EXPECT_EQ(facts->width, 320);
  EXPECT_EQ(facts->height, 240);
  EXPECT_EQ(facts->microSecondsPerFrame, 40000u);

  // A main header without size and frame count: the video stream's own format and length,
  // its height negative for rows stored top-down.
  AviLayout bare;
  bare.frames = 0;
  bare.width = 0;
  bare.height = 0;
  bare.streamLength = 75;
  bare.formatWidth = 176;
  bare.formatHeight = -144;
  const auto fromStream = parse(fixtures::aviBytes(bare));
  ASSERT_TRUE(fromStream);
  EXPECT_EQ(fromStream->frameCount, 75u);
  EXPECT_EQ(fromStream->width, 176);
  EXPECT_EQ(fromStream->height, 144);

  // A sound stream's format is not a picture size.
  bare.streamType = "auds";
  const auto soundOnly = parse(fixtures::aviBytes(bare));
  ASSERT_TRUE(soundOnly);
  EXPECT_EQ(soundOnly->frameCount, 0u);
  EXPECT_EQ(soundOnly->width, 0);
  EXPECT_EQ(soundOnly->height, 0);

  // Files beyond one RIFF form count their frames in the extended header.
  AviLayout large;
  large.frames = 1000;
  large.extendedFrames = 250000;
  EXPECT_EQ(parse(fixtures::aviBytes(large))->frameCount, 250000u);
}

TEST(AviHeader, RefusesOtherFilesAndNonsenseSizes) {
  ByteVector wave = fixtures::aviBytes();
  std::memcpy(wave.data() + 8, "WAVE", 4);
  EXPECT_FALSE(parse(wave));
  EXPECT_FALSE(parse(ByteVector{'R', 'I', 'F', 'F'}));
  EXPECT_FALSE(parse({}));

  // Sides no player shows stand for a broken header: no size at all, not a huge one.
  AviLayout huge;
  huge.width = 0x7FFFFFFF;
  huge.height = 0xFFFFFFFF;
  huge.formatWidth = 1 << 20;
  const auto facts = parse(fixtures::aviBytes(huge));
  ASSERT_TRUE(facts);
  EXPECT_EQ(facts->width, 0);
  EXPECT_EQ(facts->height, 0);
}

TEST(AviHeader, SurvivesEveryCutAndLyingChunkSizes) {
  const ByteVector whole = fixtures::aviBytes();
  const std::size_t mainHeaderEnd = offsetOf(whole, "avih") + 8 + 56;
  for (std::size_t size = 0; size < whole.size(); ++size) {
    const ByteVector cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
    const auto facts = parse(cut);
    // The main header's size fields lie 40 bytes into its 56.
    if (size < mainHeaderEnd - 16) {
      EXPECT_FALSE(facts) << size;
    } else {
      ASSERT_TRUE(facts) << size;
      EXPECT_EQ(facts->width, 320) << size;
      EXPECT_EQ(facts->frameCount, 50u) << size;
    }
  }

  // Sizes that run past the end, at every level, are cut to what is there.
  for (const char* id : {"RIFF", "LIST", "avih", "strh", "strf"}) {
    ByteVector lying = whole;
    setU32(lying, offsetOf(lying, id) + 4, 0xFFFFFFFF);
    const auto facts = parse(lying);
    if (std::string_view(id) == "avih") continue;  // its own fields are still all there
    ASSERT_TRUE(facts) << id;
    EXPECT_EQ(facts->width, 320) << id;
  }
  // A main header shorter than its fields is no main header.
  ByteVector shortMain = whole;
  setU32(shortMain, offsetOf(shortMain, "avih") + 4, 8);
  EXPECT_FALSE(parse(shortMain));
}

}  // namespace
