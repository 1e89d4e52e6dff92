#pragma once
// A private world for one test: its own HOME and XDG folders under a fresh
// temporary directory, restored to the previous values when it goes away.
#include <filesystem>
#include <map>
#include <optional>
#include <string>

class TempHome {
 public:
  TempHome();
  ~TempHome();
  TempHome(const TempHome&) = delete;
  TempHome& operator=(const TempHome&) = delete;

  [[nodiscard]] const std::filesystem::path& root() const { return root_; }
  [[nodiscard]] std::filesystem::path configHome() const { return root_ / "config"; }
  [[nodiscard]] std::filesystem::path dataHome() const { return root_ / "data"; }
  [[nodiscard]] std::filesystem::path runtimeDir() const { return root_ / "runtime"; }
  [[nodiscard]] std::filesystem::path home() const { return root_ / "home"; }
  // A fresh folder under root() for the test's own files.
  [[nodiscard]] std::filesystem::path makeDir(const std::string& name) const;

 private:
  std::filesystem::path root_;
  std::map<std::string, std::optional<std::string>> saved_;
};
