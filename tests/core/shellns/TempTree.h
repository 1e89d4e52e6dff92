#pragma once
// A fresh temporary folder for one test, removed with everything in it afterwards, with
// helpers to lay out folders, files and links by name bytes.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

class TempTree {
 public:
  TempTree() {
    std::string pattern = (std::filesystem::temp_directory_path() / "shellns-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
  }
  ~TempTree() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  [[nodiscard]] const std::string& root() const { return root_; }
  [[nodiscard]] std::string path(const std::string& relative) const {
    return root_ + "/" + relative;
  }
  std::string mkdir(const std::string& relative) const {
    const std::string full = path(relative);
    std::filesystem::create_directories(full);
    return full;
  }
  std::string touch(const std::string& relative) const {
    const std::string full = path(relative);
    std::ofstream(full) << "x";
    return full;
  }
  std::string symlink(const std::string& target, const std::string& relative) const {
    const std::string full = path(relative);
    EXPECT_EQ(::symlink(target.c_str(), full.c_str()), 0) << full;
    return full;
  }

 private:
  std::string root_;
};
