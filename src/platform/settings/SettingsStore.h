#pragma once
// The per-user settings store: one REGEDIT4 text file holding the key
// HKEY_CURRENT_USER\Software\stv, at $XDG_CONFIG_HOME/stv/Software-stv.reg
// (~/.config when XDG_CONFIG_HOME is unset or not absolute).
//
// A missing file is a missing key. A file that cannot be read or parsed is
// never thrown away: it is renamed to Software-stv.reg.bad beside itself (or
// .bad.1, .bad.2, ... when that name is taken) and the user is told; when even
// that fails, the file is left alone and saving refuses to replace it.
// Saving rewrites the whole file atomically (temporary file in the same folder,
// fsync, rename), so a failed save leaves the old file whole. Values and keys
// the program does not write are kept, as the registry would keep them.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/settings/RegistryDocument.h"
#include "core/settings/SettingsCodec.h"
#include "core/settings/SettingsRecord.h"

namespace tossbox {

class SettingsStore {
 public:
  // The store at defaultPath().
  SettingsStore();
  explicit SettingsStore(std::filesystem::path file);

  [[nodiscard]] static std::filesystem::path defaultPath();
  [[nodiscard]] const std::filesystem::path& path() const { return path_; }

  struct LoadResult {
    std::optional<RegistryKey> key;   // nullopt: the key does not exist yet
    std::vector<std::string> errors;  // messages for the error box, in order
  };
  [[nodiscard]] LoadResult load() const;

  struct SaveResult {
    bool saved = false;
    // Messages for the error box; there can be one even when saved (an
    // unparsable file was kept aside before it was replaced).
    std::vector<std::string> errors;
  };
  // Sets `values` in the key, creating the file and its folder when needed.
  [[nodiscard]] SaveResult save(const std::vector<NamedValue>& values) const;

  // Removes the temporary files of saves that never finished (the program was killed between
  // creating and renaming one); the number removed. Only while no other copy runs.
  int removeLeftovers() const;

  // load() and loadSettingsRecord() in one: the record at start-up, with every
  // message of both.
  [[nodiscard]] SettingsLoadResult loadRecord(const ScreenGeometry& geometry) const;
  // encodeSettings(), the newer kinds' value and save() in one; a record that
  // cannot be encoded is not written at all.
  [[nodiscard]] SaveResult saveRecord(const SettingsRecord& record) const;

 private:
  struct Existing;
  [[nodiscard]] Existing readExisting(std::vector<std::string>& errors) const;

  std::filesystem::path path_;
};

}  // namespace tossbox
