#include "core/text/TextLines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

#include "core/files/RegularFile.h"
#include "core/files/UniqueFd.h"

namespace tossbox {

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
constexpr std::size_t kReadPiece = std::size_t{256} << 10;

std::uint64_t wordAt(const char* bytes) {
  std::uint64_t word = 0;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

bool endsText(char c) {
  return c == '\0' || c == '\n' || c == '\r';
}

// The first zero byte or line break at or after `pos`, or the size. Eight
// bytes at a time skip while none of them is below 14, which holds for most
// of a text: the three bytes sought are all below 14.
std::size_t findEnd(std::string_view bytes, std::size_t pos) {
  const std::size_t size = bytes.size();
  while (pos < size) {
    while (pos + 8 <= size) {
      const std::uint64_t word = wordAt(bytes.data() + pos);
      if (((word - kOnes * 14) & ~word & kHighBits) != 0) break;
      pos += 8;
    }
    const std::size_t stop = std::min(size, pos + 8);
    for (; pos < stop; ++pos) {
      if (endsText(bytes[pos])) return pos;
    }
  }
  return size;
}

// One bit per byte of a 64-byte block: LF, CR, zero, and the high bit of anything not ASCII.
struct BlockMasks {
  std::uint64_t lfs = 0;
  std::uint64_t crs = 0;
  std::uint64_t zeros = 0;
  std::uint64_t high = 0;
};

#if defined(__SSE2__)
BlockMasks masksOf(const char* block) {
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i zero = _mm_setzero_si128();
  BlockMasks masks;
  for (int part = 0; part < 4; ++part) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * part));
    const auto bits = [&](__m128i matches) {
      return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(matches)))
             << (16 * part);
    };
    masks.lfs |= bits(_mm_cmpeq_epi8(bytes, lf));
    masks.crs |= bits(_mm_cmpeq_epi8(bytes, cr));
    masks.zeros |= bits(_mm_cmpeq_epi8(bytes, zero));
    masks.high |= bits(bytes);
  }
  return masks;
}
#else
BlockMasks masksOf(const char* block) {
  BlockMasks masks;
  for (int i = 0; i < 64; ++i) {
    const auto byte = static_cast<unsigned char>(block[i]);
    const std::uint64_t bit = std::uint64_t{1} << i;
    if (byte == '\n') masks.lfs |= bit;
    if (byte == '\r') masks.crs |= bit;
    if (byte == 0) masks.zeros |= bit;
    if (byte >= 0x80) masks.high |= bit;
  }
  return masks;
}
#endif

// Said where the system has no reason of its own: a pipe or a device in place of the file.
constexpr char kNotARegularFile[] = "通常のファイルではありません";

[[noreturn]] void failRead(const std::string& path, int error) {
  throw std::system_error(error, std::generic_category(),
                          "テキストファイル " + path + " を読み込めません");
}

// Opened for reading without waiting on a pipe; only regular files are read.
UniqueFd openTextFile(const std::string& path, struct stat& info) {
  FileFailure failure;
  std::optional<OpenedFile> file = openRegularFile(path, failure);
  if (!file) {
    if (failure.problem != FileProblem::NotRegular) failRead(path, failure.error.value());
    struct stat standing {};
    if (::stat(path.c_str(), &standing) == 0 && S_ISDIR(standing.st_mode)) failRead(path, EISDIR);
    throw std::runtime_error("テキストファイル " + path + " を読み込めません: " + kNotARegularFile);
  }
  info = file->info;
  ::posix_fadvise(file->fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
  return std::move(file->fd);
}

// Reads up to `count` bytes; 0 at the end of the file.
std::size_t readSome(const std::string& path, int fd, char* into, std::size_t count) {
  for (;;) {
    const ssize_t got = ::read(fd, into, count);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) failRead(path, errno);
  }
}

}  // namespace

TextLines::TextLines(const std::vector<std::string>& lines, bool utf8) {
  TextLineSplitter splitter;
  for (const std::string& line : lines) {
    // A converter's line holds no break of its own; one inside would split it, a zero end it.
    splitter.feed(line);
    splitter.feed("\n");
  }
  *this = splitter.finish();
  utf8_ = utf8;
}

std::string_view TextLines::operator[](std::size_t index) const {
  const Span& span = spans_.at(index);
  return std::string_view(text_).substr(span.begin, span.size);
}

TextLineSplitter::TextLineSplitter() = default;

bool TextLineSplitter::feed(std::string_view bytes) {
  if (stopped_) return false;
  const std::size_t splitEnd = keeping_ ? splitKept(bytes) : 0;
  checkUtf8(bytes.substr(0, splitEnd));
  if (!stopped_ && splitEnd < bytes.size()) countRest(bytes.substr(splitEnd));
  return !stopped_;
}

std::size_t TextLineSplitter::splitKept(std::string_view bytes) {
  std::size_t pos = 0;
  if (afterCr_ && !bytes.empty()) {
    afterCr_ = false;
    if (bytes.front() == '\n') pos = 1;
  }
  while (pos < bytes.size() && keeping_) {
    const std::size_t end = findEnd(bytes, pos);
    if (end > pos) appendToLine(bytes.substr(pos, end - pos));
    if (end == bytes.size()) return end;
    if (bytes[end] == '\0') {
      if (inLine_) endLine();
      stopped_ = true;
      return end;
    }
    if (!inLine_) appendToLine({});
    endLine();
    pos = end + 1;
    if (bytes[end] != '\r') continue;
    if (pos == bytes.size())
      afterCr_ = true;
    else if (bytes[pos] == '\n')
      ++pos;
  }
  return std::min(pos, bytes.size());
}

// Past the lines kept only the counts matter: 64 bytes at a time, the
// breaks in them are counted from bit masks, and a CR LF pair ends one line.
void TextLineSplitter::countRest(std::string_view bytes) {
  lines_.byteCount_ += lineBytes_;
  lineBytes_ = 0;
  std::size_t pos = 0;
  while (pos + 64 <= bytes.size()) {
    const BlockMasks masks = masksOf(bytes.data() + pos);
    if (masks.zeros != 0) break;
    const std::uint64_t pairedLfs = masks.lfs & ((masks.crs << 1) | (afterCr_ ? 1U : 0U));
    lines_.lineCount_ += std::popcount(masks.crs | (masks.lfs & ~pairedLfs));
    lines_.byteCount_ += 64U - std::popcount(masks.lfs | masks.crs);
    afterCr_ = (masks.crs >> 63) != 0;
    inLine_ = ((masks.lfs | masks.crs) >> 63) == 0;
    if (masks.high != 0 || utf8Due_ != 0) checkUtf8(bytes.substr(pos, 64));
    pos += 64;
  }
  const std::size_t start = pos;
  for (; pos < bytes.size(); ++pos) {
    const char c = bytes[pos];
    const bool pairedLf = afterCr_ && c == '\n';
    afterCr_ = c == '\r';
    if (pairedLf) continue;
    if (c == '\0') {
      if (inLine_) ++lines_.lineCount_;
      inLine_ = false;
      stopped_ = true;
      break;
    }
    if (c == '\n' || c == '\r') {
      ++lines_.lineCount_;
      inLine_ = false;
      continue;
    }
    inLine_ = true;
    ++lines_.byteCount_;
  }
  checkUtf8(bytes.substr(start, pos - start));
}

TextLines TextLineSplitter::finish() {
  if (inLine_ && keeping_) endLine();
  if (inLine_ && !keeping_) {
    ++lines_.lineCount_;
    lines_.byteCount_ += lineBytes_;
  }
  if (utf8Due_ != 0) lines_.utf8_ = false;
  stopped_ = true;
  return std::move(lines_);
}

void TextLineSplitter::appendToLine(std::string_view bytes) {
  if (!inLine_) {
    inLine_ = true;
    lineBytes_ = 0;
    if (lines_.spans_.size() >= TextLines::kMaxKeptLines) keeping_ = false;
    lineBegin_ = lines_.text_.size();
  }
  lineBytes_ += bytes.size();
  if (!keeping_) return;
  const std::size_t room = TextLines::kMaxKeptBytes - lines_.text_.size();
  lines_.text_.append(bytes.substr(0, std::min(room, bytes.size())));
}

void TextLineSplitter::endLine() {
  inLine_ = false;
  ++lines_.lineCount_;
  lines_.byteCount_ += lineBytes_;
  lineBytes_ = 0;
  if (!keeping_) return;
  lines_.spans_.push_back({lineBegin_, lines_.text_.size() - lineBegin_});
  // A line cut at the byte bound is kept as far as it goes; none after it.
  if (lines_.text_.size() >= TextLines::kMaxKeptBytes) keeping_ = false;
}

void TextLineSplitter::checkUtf8(std::string_view bytes) {
  if (!lines_.utf8_) return;
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (utf8Due_ == 0) {
      while (i + 8 <= bytes.size() && (wordAt(bytes.data() + i) & kHighBits) == 0) i += 8;
      if (i == bytes.size()) return;
    }
    const auto byte = static_cast<std::uint8_t>(bytes[i++]);
    if (utf8Due_ > 0) {
      if (byte < utf8Low_ || byte > utf8High_) {
        lines_.utf8_ = false;
        return;
      }
      utf8Low_ = 0x80;
      utf8High_ = 0xBF;
      --utf8Due_;
      continue;
    }
    if (byte < 0x80) continue;
    // Ranges that rule out overlong forms, surrogates and code points above U+10FFFF.
    if (byte >= 0xC2 && byte <= 0xDF) {
      utf8Due_ = 1;
    } else if (byte >= 0xE0 && byte <= 0xEF) {
      utf8Due_ = 2;
      if (byte == 0xE0) utf8Low_ = 0xA0;
      if (byte == 0xED) utf8High_ = 0x9F;
    } else if (byte >= 0xF0 && byte <= 0xF4) {
      utf8Due_ = 3;
      if (byte == 0xF0) utf8Low_ = 0x90;
      if (byte == 0xF4) utf8High_ = 0x8F;
    } else {
      lines_.utf8_ = false;
      return;
    }
  }
}

TextLines readTextLines(const std::string& path) {
  return *readTextLinesUnless(path, [] { return false; });
}

std::optional<TextLines> readTextLinesUnless(const std::string& path,
                                             const std::function<bool()>& abandon) {
  struct stat info {};
  const UniqueFd file = openTextFile(path, info);
  std::string piece(kReadPiece, '\0');
  TextLineSplitter splitter;
  for (;;) {
    if (abandon()) return std::nullopt;
    const std::size_t got = readSome(path, file.get(), piece.data(), piece.size());
    if (got == 0 || !splitter.feed(std::string_view(piece.data(), got))) break;
  }
  return splitter.finish();
}

std::string readTextBytes(const std::string& path, std::size_t limit) {
  struct stat info {};
  const UniqueFd file = openTextFile(path, info);
  std::string bytes(std::min(limit, static_cast<std::size_t>(info.st_size)), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t got = readSome(path, file.get(), bytes.data() + done, bytes.size() - done);
    if (got == 0) break;
    done += got;
  }
  bytes.resize(done);
  return bytes;
}

}  // namespace tossbox
