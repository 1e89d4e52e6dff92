#pragma once
// Writing a whole buffer to an open file: write(2) may put fewer bytes than asked or be
// interrupted by a signal, and every writer of the program must go on until all are written.
#include <string_view>
#include <system_error>

namespace tossbox {

// All of `bytes` written to `fd`; the system's reason when they cannot be.
[[nodiscard]] std::error_code writeAll(int fd, std::string_view bytes);

}  // namespace tossbox
