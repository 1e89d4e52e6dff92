#pragma once
// Waiting for the media back end to say whether it can play a source it was given.
#include <QMediaPlayer>

namespace tossbox {

// Opening waits this long at most for the back end to say whether it can play the file.
inline constexpr int kMediaOpenTimeoutMs = 5000;

[[nodiscard]] bool isPlayable(QMediaPlayer::MediaStatus status);

// Runs the events (but not the user's input) until the player has loaded its source or failed,
// or `timeoutMs` has passed.
void waitUntilSettled(QMediaPlayer& player, int timeoutMs);

}  // namespace tossbox
