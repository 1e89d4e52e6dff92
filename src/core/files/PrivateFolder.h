#pragma once
// A folder of the program's own for files no one else may see or replace: made with mkdtemp
// (mode 0700) when first asked for, under $XDG_RUNTIME_DIR or else the temporary folder, and
// removed with the files in it when its owner goes.
#include <optional>
#include <string>

namespace tossbox {

class PrivateFolder {
 public:
  PrivateFolder() = default;
  ~PrivateFolder();
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;

  // The folder, made on the first call; nullopt when it cannot be made.
  [[nodiscard]] std::optional<std::string> path();

  // Where the folder is made: $XDG_RUNTIME_DIR when it is an absolute folder, else $TMPDIR when
  // absolute, else /tmp.
  [[nodiscard]] static std::string baseFolder();

 private:
  std::string path_;
};

}  // namespace tossbox
