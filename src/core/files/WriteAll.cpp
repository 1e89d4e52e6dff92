#include "core/files/WriteAll.h"

#include <unistd.h>

#include <cerrno>

namespace tossbox {

std::error_code writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return {errno, std::generic_category()};
    // Nothing written and no reason given: going on would never end.
    if (put == 0) return std::make_error_code(std::errc::io_error);
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return {};
}

}  // namespace tossbox
