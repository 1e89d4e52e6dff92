#include "platform/media/MediaSettle.h"

#include <QEventLoop>
#include <QTimer>

namespace tossbox {

namespace {

bool isSettled(QMediaPlayer::MediaStatus status) {
  return isPlayable(status) || status == QMediaPlayer::InvalidMedia;
}

}  // namespace

bool isPlayable(QMediaPlayer::MediaStatus status) {
  return status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::BufferingMedia ||
         status == QMediaPlayer::BufferedMedia || status == QMediaPlayer::EndOfMedia;
}

void waitUntilSettled(QMediaPlayer& player, int timeoutMs) {
  if (isSettled(player.mediaStatus())) return;
  QEventLoop loop;
  QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &loop,
                   [&loop](QMediaPlayer::MediaStatus status) {
                     if (isSettled(status)) loop.quit();
                   });
  QObject::connect(&player, &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
  QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  // The user's clicks wait: they belong to the file that is about to be shown.
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace tossbox
