#pragma once
// The lines of a text file as the program lists and draws them: the bytes are
// split at CR, LF or CR LF, and reading stops at the first zero byte, so a
// binary document yields only what comes before it. Lengths are counted in
// bytes, line breaks not counted.
//
// The whole file is read once, in pieces, and always counted whole; only its
// first kMaxKeptLines lines and kMaxKeptBytes bytes are kept, in one buffer.
// No list or drawing needs more, and a 2 GB file then never costs 2 GB.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tossbox {

class TextLines {
 public:
  static constexpr std::size_t kMaxKeptLines = 100'000;
  static constexpr std::size_t kMaxKeptBytes = std::size_t{16} << 20;

  TextLines() = default;
  // Lines already split, such as a converter's output.
  TextLines(const std::vector<std::string>& lines, bool utf8);

  // Lines kept, each without its line break.
  [[nodiscard]] std::size_t size() const { return spans_.size(); }
  [[nodiscard]] bool empty() const { return spans_.empty(); }
  [[nodiscard]] std::string_view operator[](std::size_t index) const;
  // All lines and all their bytes, kept or not.
  [[nodiscard]] std::uint64_t lineCount() const { return lineCount_; }
  [[nodiscard]] std::uint64_t byteCount() const { return byteCount_; }
  // Whether everything read is well-formed UTF-8; otherwise it reads as CP932.
  [[nodiscard]] bool utf8() const { return utf8_; }
  // The memory the kept lines take.
  [[nodiscard]] std::uint64_t memoryCost() const {
    return text_.capacity() + spans_.capacity() * sizeof(Span);
  }

 private:
  friend class TextLineSplitter;
  struct Span {
    std::size_t begin;
    std::size_t size;
  };

  std::string text_;
  std::vector<Span> spans_;
  std::uint64_t lineCount_ = 0;
  std::uint64_t byteCount_ = 0;
  bool utf8_ = true;
};

// Splits bytes given piece by piece; a CR at the end of one piece still pairs
// with an LF at the start of the next.
class TextLineSplitter {
 public:
  TextLineSplitter();
  // False once the zero byte was met: nothing after it counts.
  bool feed(std::string_view bytes);
  [[nodiscard]] TextLines finish();

 private:
  // The part of `bytes` split into kept lines; where keeping ended.
  std::size_t splitKept(std::string_view bytes);
  void countRest(std::string_view bytes);
  void appendToLine(std::string_view bytes);
  void endLine();
  void checkUtf8(std::string_view bytes);

  TextLines lines_;
  bool stopped_ = false;
  bool inLine_ = false;  // a line has begun and not yet ended
  bool afterCr_ = false;
  bool keeping_ = true;
  std::size_t lineBegin_ = 0;
  std::uint64_t lineBytes_ = 0;
  // The UTF-8 check carried across pieces: continuation bytes still due and
  // the range the next one must fall in.
  int utf8Due_ = 0;
  std::uint8_t utf8Low_ = 0x80;
  std::uint8_t utf8High_ = 0xBF;
};

// Reads the file at `path` whole. Throws std::system_error naming the file
// and the reason when it cannot be opened or read, or is not a regular file.
[[nodiscard]] TextLines readTextLines(const std::string& path);
// As readTextLines, asking `abandon` before each piece is read; nullopt once it says yes.
[[nodiscard]] std::optional<TextLines> readTextLinesUnless(const std::string& path,
                                                           const std::function<bool()>& abandon);

// The file's bytes up to `limit`, for a converter that needs them whole.
// Throws as readTextLines.
[[nodiscard]] std::string readTextBytes(const std::string& path, std::size_t limit);

}  // namespace tossbox
