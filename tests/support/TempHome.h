#pragma once
// A private world for one test: its own HOME and XDG folders under a fresh
// temporary directory, restored to the previous values when it goes away.
//
// GLib, below Qt, reads HOME and XDG_DATA_HOME once per process and keeps them, and the trash
// goes where GLib says. Those two folders are therefore the same for every TempHome of a
// process and are emptied whenever a TempHome starts and ends, so each test still starts clean.
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
  [[nodiscard]] std::filesystem::path dataHome() const;
  [[nodiscard]] std::filesystem::path runtimeDir() const { return root_ / "runtime"; }
  [[nodiscard]] std::filesystem::path home() const;
  // A fresh folder under root() for the test's own files.
  [[nodiscard]] std::filesystem::path makeDir(const std::string& name) const;

  // Points HOME and XDG_DATA_HOME at the process's folders before anything asks GLib for them.
  static void settleProcessFolders();

 private:
  std::filesystem::path root_;
  std::map<std::string, std::optional<std::string>> saved_;
};
