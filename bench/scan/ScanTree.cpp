#include "ScanTree.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

constexpr std::size_t kChainDepth = 10;

// The ten extensions a scan collects, ".jpeg" and an upper-case one among them.
constexpr std::array<std::string_view, 12> kExtensions = {".jpg", ".bmp", ".gif",  ".ico",
                                                          ".wmf", ".wav", ".avi",  ".txt",
                                                          ".rtf", ".ini", ".jpeg", ".JPG"};

void makeFolder(const std::string& path) {
  if (mkdir(path.c_str(), 0755) != 0) throw std::runtime_error("cannot create " + path);
}

void makeFile(const std::string& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
  if (fd < 0) throw std::runtime_error("cannot create " + path);
  close(fd);
}

std::string fileName(std::size_t index) {
  std::string name = index % 97 == 0 ? "写真 " : index % 89 == 0 ? "holiday photo " : "IMG_";
  name += std::to_string(index);
  name += kExtensions[index % kExtensions.size()];
  return name;
}

}  // namespace

ScanTree::ScanTree(std::size_t files, std::size_t folders) : files_(files), folders_(folders) {
  std::string pattern = (std::filesystem::temp_directory_path() / "tossbox-scan-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = buffer.data();

  // Folder k of the first half continues the chain of folder k - 1 unless it starts a new one.
  std::vector<std::string> paths;
  paths.reserve(folders);
  const std::size_t chained = folders / 2;
  for (std::size_t k = 0; k < folders; ++k) {
    const bool startsAtRoot = k >= chained || k % kChainDepth == 0;
    const std::string& parent = startsAtRoot ? root_ : paths[k - 1];
    paths.push_back(parent + "/dir " + std::to_string(k));
    makeFolder(paths.back());
  }
  for (std::size_t i = 0; i < files; ++i) {
    const std::string& folder = folders == 0 ? root_ : paths[i % folders];
    makeFile(folder + "/" + fileName(i));
  }
}

ScanTree::~ScanTree() {
  std::error_code error;
  std::filesystem::remove_all(root_, error);
}
