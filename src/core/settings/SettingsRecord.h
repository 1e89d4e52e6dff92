#pragma once
// The program's persistent settings as one plain record, and its first-start
// values. Flags keep the byte they were stored with: readers compare with 1 (or
// with 0 where a field says so), so any other value counts as not set and is
// still written back unchanged.
//
// Strings are the program's own text: UTF-8, or for paths exactly the bytes the
// file system gave. They become CP932 only when the record is encoded for the
// store (SettingsCodec).
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tossbox {

inline constexpr int kFolderButtonCount = 6;
inline constexpr int kKindCount = 11;
// PNG, WebP, TIFF, the newer videos, the newer sounds, the newer texts: kinds 12 to 17.
inline constexpr int kNewerKindCount = 6;

// What a folder button does when a file of the same name is already in its folder.
enum class SameName { Ask, Overwrite, AppendS };

// The settings of one folder button. The accessors hold the reading of the stored bytes;
// the setters write 0/1 and 1/2/3 as the store has them.
struct FolderTarget {
  std::string FolderPath;         // empty: the button is not set
  std::uint8_t MoveOnPress = 0;   // 0 copies, 1 moves
  std::uint8_t SerialRename = 0;  // 1: rename to SerialPrefix + SerialNumber
  std::string SerialPrefix;
  std::string SerialNumber;         // decimal digits, keeps its width
  std::uint8_t SameNamePolicy = 0;  // 1 ask, 2 overwrite, 3 append "S"

  // Only 1 moves; any other byte copies.
  [[nodiscard]] bool moves() const { return MoveOnPress == 1; }
  void setMoves(bool on) { MoveOnPress = on ? 1 : 0; }
  [[nodiscard]] bool renamesSerially() const { return SerialRename == 1; }
  void setRenamesSerially(bool on) { SerialRename = on ? 1 : 0; }
  // 2 overwrites, 3 appends "S"; any other byte asks.
  [[nodiscard]] SameName sameName() const;
  void setSameName(SameName rule);

  bool operator==(const FolderTarget&) const = default;
};

// All persistent settings. A fresh record is all zeros, as before loading.
struct SettingsRecord {
  std::array<std::uint8_t, 16> Reserved{};  // not interpreted; written back as read
  std::int32_t MainTop = 0;
  std::int32_t MainLeft = 0;
  std::int32_t MainHeight = 0;
  std::uint8_t ListDblClickAction = 0;  // 1 opens the file's folder, 2 opens the file
  std::uint8_t ListSortAscending = 0;
  // Index 0..10 for kinds 1..11: BMP, JPG/JPEG, GIF, ICO, WMF, WAV, AVI, TXT, DOC, RTF, INI.
  std::array<std::uint8_t, kKindCount> KindEnabled{};
  std::uint8_t ViewerDblClickMode = 0;  // 0 closes the viewer, 1 switches the display
  std::uint8_t ViewerFullScreen = 0;
  std::uint8_t ViewerAlwaysCentre = 0;
  // Index 0..5 for buttons 1..6; target() takes the button number.
  std::array<FolderTarget, kFolderButtonCount> FolderTargets{};
  // Index 0..5 for kinds 12..17. Unlike KindEnabled, 1 hides the kind and any other byte shows
  // it, so a record (or a store) from before these kinds shows them all.
  std::array<std::uint8_t, kNewerKindCount> NewerKindHidden{};

  // The target of button 1..6; throws std::out_of_range for any other number
  // (CurrentButton 0 means "no button" and has no target).
  [[nodiscard]] FolderTarget& target(int button);
  [[nodiscard]] const FolderTarget& target(int button) const;

  bool operator==(const SettingsRecord&) const = default;
};

// What the first-start position is computed from.
struct ScreenGeometry {
  int screenWidth = 0;
  int screenHeight = 0;
  int windowWidth = 0;  // the main window's designed size, before the default height
  int windowHeight = 0;
};

inline constexpr std::int32_t kDefaultMainHeight = 324;

// The first-start settings: the window centred for its designed size with the
// default height, every kind shown, no folder button set.
[[nodiscard]] SettingsRecord defaultSettingsRecord(const ScreenGeometry& geometry);

}  // namespace tossbox
