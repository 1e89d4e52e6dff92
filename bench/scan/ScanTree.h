#pragma once
// A generated folder tree for timing scans: `files` empty files of the scan-collected kinds
// spread evenly over `folders` folders, half of the folders in chains ten levels deep and half
// directly below the root, with a few names holding spaces and Japanese text. The tree lives in
// a fresh folder under the temporary folder and is removed when the object goes away.
#include <cstddef>
#include <string>

class ScanTree {
 public:
  ScanTree(std::size_t files, std::size_t folders);
  ~ScanTree();
  ScanTree(const ScanTree&) = delete;
  ScanTree& operator=(const ScanTree&) = delete;

  [[nodiscard]] const std::string& root() const { return root_; }
  [[nodiscard]] std::size_t files() const { return files_; }
  [[nodiscard]] std::size_t folders() const { return folders_; }

 private:
  std::string root_;
  std::size_t files_ = 0;
  std::size_t folders_ = 0;
};
