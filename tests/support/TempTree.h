#pragma once
// A fresh folder (by default under the system's temporary folder) for one test, removed with
// everything in it when the test ends. Paths are built and returned as byte strings.
#include <filesystem>
#include <string>
#include <string_view>

// Makes a new private folder named `prefix` and six random characters under `under`.
std::filesystem::path makeTempFolder(
    std::string_view prefix,
    const std::filesystem::path& under = std::filesystem::temp_directory_path());

class TempTree {
 public:
  // `under` may be another file system, for moves that cannot be a rename.
  explicit TempTree(std::string_view prefix = "tossbox-tree-",
                    const std::filesystem::path& under = std::filesystem::temp_directory_path());
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  [[nodiscard]] const std::string& root() const { return root_; }
  // root() + "/" + relative.
  [[nodiscard]] std::string path(std::string_view relative) const;
  // Creates the folder `relative` and its parents; returns its path.
  std::string folder(std::string_view relative) const;
  // Creates an empty file (and its folders); returns its path.
  std::string file(std::string_view relative) const;
  // Creates the symbolic link `relative` pointing at `target`; returns its path.
  std::string link(std::string_view relative, const std::string& target) const;

 private:
  std::string root_;
};
