#pragma once
// The records the kill test's saver writes, one per save number: both sides compute the
// same one, so the test can tell which save the file on disk came from. Lengths and every
// field change with the number, so a file mixed from two saves cannot pass for either.
#include <string>

#include "core/settings/SettingsRecord.h"

namespace tossbox::killtest {

inline const ScreenGeometry kScreen{1024, 768, 219, 324};

inline SettingsRecord recordFor(int number) {
  SettingsRecord record = defaultSettingsRecord(kScreen);
  record.MainTop = number;
  record.MainLeft = -number;
  record.MainHeight = 324 + number % 97;
  for (int button = 1; button <= kFolderButtonCount; ++button) {
    FolderTarget& target = record.target(button);
    target.FolderPath = "/srv/保存/" + std::to_string(number) + "/" + std::to_string(button) +
                        std::string(static_cast<std::size_t>((number * 7 + button) % 300), 'p');
    target.setMoves((number + button) % 2 == 0);
    target.SerialPrefix = std::string(static_cast<std::size_t>(number % 40), 'a' + button);
    target.SerialNumber = std::to_string(number * 10 + button);
  }
  return record;
}

}  // namespace tossbox::killtest
