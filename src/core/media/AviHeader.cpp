#include "core/media/AviHeader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "core/files/RegularFile.h"
#include "core/files/UniqueFd.h"

namespace tossbox {

namespace {

// Larger sizes are not a picture any player shows; they stand for a broken header.
constexpr std::int64_t kMaxSide = 32768;
constexpr std::size_t kChunkHeader = 8;
constexpr std::size_t kAvihSize = 40;  // the fields up to and including the height
constexpr std::size_t kStrhSize = 36;  // the fields up to and including the length
constexpr std::size_t kBitmapInfoSize = 12;

bool hasId(Bytes bytes, std::size_t offset, const char* id) {
  return fits(bytes, offset, 4) && std::memcmp(bytes.data() + offset, id, 4) == 0;
}

struct Chunk {
  const std::uint8_t* id;
  Bytes data;  // cut at the end of the enclosing bytes when the file is short
};

// Calls visit for each chunk in `bytes`, in order, until it answers false.
template <typename Visit>
void forEachChunk(Bytes bytes, Visit visit) {
  std::uint64_t offset = 0;
  while (fits(bytes, offset, kChunkHeader)) {
    const auto at = static_cast<std::size_t>(offset);
    const std::uint64_t declared = u32At(bytes, at + 4);
    const std::uint64_t available = bytes.size() - at - kChunkHeader;
    const auto size = static_cast<std::size_t>(declared < available ? declared : available);
    if (!visit(Chunk{bytes.data() + at, bytes.subspan(at + kChunkHeader, size)})) return;
    offset += kChunkHeader + declared + (declared & 1);
  }
}

bool isChunk(const Chunk& chunk, const char* id) {
  return std::memcmp(chunk.id, id, 4) == 0;
}

// The list type and contents of a "LIST" chunk, or nothing for any other chunk.
std::optional<Bytes> listBody(const Chunk& chunk, const char* type) {
  if (!isChunk(chunk, "LIST") || !hasId(chunk.data, 0, type)) return std::nullopt;
  return chunk.data.subspan(4);
}

std::int32_t side(std::int64_t value) {
  if (value < 0) value = -value;  // a bitmap height is negative for top-down rows
  return value <= kMaxSide ? static_cast<std::int32_t>(value) : 0;
}

struct VideoStream {
  bool found = false;
  std::uint32_t length = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

VideoStream videoStreamOf(Bytes strl) {
  VideoStream stream;
  bool video = false;
  forEachChunk(strl, [&](const Chunk& chunk) {
    if (isChunk(chunk, "strh")) {
      video = hasId(chunk.data, 0, "vids");
      if (video && fits(chunk.data, 0, kStrhSize)) stream.length = u32At(chunk.data, 32);
    } else if (isChunk(chunk, "strf") && video && fits(chunk.data, 0, kBitmapInfoSize)) {
      stream.width = side(i32At(chunk.data, 4));
      stream.height = side(i32At(chunk.data, 8));
    }
    return true;
  });
  stream.found = video;
  return stream;
}

std::optional<AviFacts> factsOfHeaderList(Bytes hdrl) {
  std::optional<AviFacts> facts;
  VideoStream video;
  std::uint32_t extendedFrames = 0;
  forEachChunk(hdrl, [&](const Chunk& chunk) {
    if (isChunk(chunk, "avih") && fits(chunk.data, 0, kAvihSize)) {
      AviFacts main;
      main.microSecondsPerFrame = u32At(chunk.data, 0);
      main.frameCount = u32At(chunk.data, 16);
      main.width = side(u32At(chunk.data, 32));
      main.height = side(u32At(chunk.data, 36));
      facts = main;
    } else if (const auto strl = listBody(chunk, "strl"); strl && !video.found) {
      video = videoStreamOf(*strl);
    } else if (const auto odml = listBody(chunk, "odml")) {
      // Files past one RIFF form count all their frames in the extended header.
      forEachChunk(*odml, [&](const Chunk& inner) {
        if (isChunk(inner, "dmlh") && fits(inner.data, 0, 4)) extendedFrames = u32At(inner.data, 0);
        return true;
      });
    }
    return true;
  });
  if (!facts) return std::nullopt;
  if (extendedFrames > facts->frameCount) facts->frameCount = extendedFrames;
  if (facts->frameCount == 0) facts->frameCount = video.length;
  if (facts->width == 0 || facts->height == 0) {
    facts->width = video.width;
    facts->height = video.height;
  }
  if (facts->width == 0 || facts->height == 0) facts->width = facts->height = 0;
  return facts;
}

}  // namespace

std::optional<AviFacts> parseAviHeader(Bytes head) {
  if (!hasId(head, 0, "RIFF") || !hasId(head, 8, "AVI ")) return std::nullopt;
  std::optional<AviFacts> facts;
  forEachChunk(head.subspan(12), [&](const Chunk& chunk) {
    const auto hdrl = listBody(chunk, "hdrl");
    if (!hdrl) return true;
    facts = factsOfHeaderList(*hdrl);
    return false;
  });
  return facts;
}

std::optional<AviFacts> readAviHeader(const std::string& path) {
  FileFailure failure;
  const std::optional<OpenedFile> file = openRegularFile(path, failure);
  if (!file) return std::nullopt;
  const auto fileSize = static_cast<std::uint64_t>(file->info.st_size);
  std::vector<std::uint8_t> head(fileSize < kAviHeadBytes ? fileSize : kAviHeadBytes);
  std::size_t filled = 0;
  while (filled < head.size()) {
    const ssize_t got = ::read(file->fd.get(), head.data() + filled, head.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    filled += static_cast<std::size_t>(got);
  }
  return parseAviHeader(Bytes(head.data(), filled));
}

}  // namespace tossbox
