#pragma once
// The desktop's trash as sorting needs it. The core decides when a file goes to the trash; the
// platform layer knows where the trash is. Tests put a folder of their own behind it.
#include <optional>
#include <string>

namespace tossbox {

class Trash {
 public:
  virtual ~Trash() = default;

  // Moves the file (or link) at `path` into the trash and returns the path it now has there.
  // nullopt when it could not be trashed; the file is then where it was. Never deletes for good.
  [[nodiscard]] virtual std::optional<std::string> moveToTrash(const std::string& path) = 0;

  // Puts a file that moveToTrash returned as `trashedPath` back at `originalPath`. Fails, with
  // nothing touched, when anything stands at `originalPath`.
  [[nodiscard]] virtual bool restoreFromTrash(const std::string& trashedPath,
                                              const std::string& originalPath) = 0;
};

}  // namespace tossbox
