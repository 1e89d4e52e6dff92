#include "core/text/AnsiText.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

namespace tossbox {
namespace {

// One iconv conversion descriptor, closed when it goes out of scope. Each call
// opens its own so that no conversion state is shared between callers.
class IconvHandle {
 public:
  IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~IconvHandle() {
    if (valid()) iconv_close(handle_);
  }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;

  [[nodiscard]] bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
  [[nodiscard]] iconv_t get() const { return handle_; }

 private:
  iconv_t handle_;
};

// Converts all of `in`; nullopt on any invalid or unconvertible sequence.
std::optional<std::string> convert(const char* to, const char* from, std::string_view in) {
  IconvHandle cd(to, from);
  if (!cd.valid()) return std::nullopt;
  std::string out;
  char buffer[1024];
  char* inPtr = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t rc = iconv(cd.get(), &inPtr, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) return std::nullopt;
    // A positive count means characters were converted "approximately".
    if (rc != static_cast<std::size_t>(-1) && rc > 0) return std::nullopt;
  }
  char* outPtr = buffer;
  std::size_t outLeft = sizeof buffer;
  if (iconv(cd.get(), nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
    return std::nullopt;
  }
  out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
  return out;
}

}  // namespace

std::optional<std::string> utf8ToCp932(std::string_view utf8) {
  if (!isValidUtf8(utf8)) return std::nullopt;
  auto cp932 = convert("CP932", "UTF-8", utf8);
  if (!cp932) return std::nullopt;
  const auto back = convert("UTF-8", "CP932", *cp932);
  if (!back || *back != utf8) return std::nullopt;
  return cp932;
}

std::optional<std::string> cp932ToUtf8(std::string_view cp932) {
  return convert("UTF-8", "CP932", cp932);
}

std::optional<std::size_t> cp932ByteCount(std::string_view utf8) {
  const auto cp932 = utf8ToCp932(utf8);
  if (!cp932) return std::nullopt;
  return cp932->size();
}

bool isValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<std::uint8_t>(bytes[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    std::size_t length = 0;
    std::uint32_t code = 0;
    if ((lead & 0xE0) == 0xC0) {
      length = 2;
      code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      code = lead & 0x07;
    } else {
      return false;
    }
    if (bytes.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<std::uint8_t>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF) return false;
    if (code >= 0xD800 && code <= 0xDFFF) return false;
    i += length;
  }
  return true;
}

}  // namespace tossbox
