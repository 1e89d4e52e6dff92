#pragma once
// A command-line argument as the path to load. The desktop's menu entry hands files and
// folders over as file:// URLs (its %U), a shell as plain paths; both come out as the path's
// own bytes.
#include <string>
#include <string_view>

namespace tossbox {

// The local path of a file:// URL (host empty or "localhost", every %XX decoded to its byte);
// any other argument, and a file URL that is malformed or names another host, unchanged.
[[nodiscard]] std::string pathOfArgument(std::string_view argument);

}  // namespace tossbox
