#include "platform/media/MediaProbe.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QMediaMetaData>
#include <QSize>
#include <QTimer>
#include <QUrl>
#include <cmath>

#include "core/files/RegularFile.h"
#include "platform/media/MediaSettle.h"

namespace tossbox {

namespace {

// Some back ends learn the length only after loading, while they prepare to play.
void waitForDuration(QMediaPlayer& player, int timeoutMs) {
  if (player.duration() > 0) return;
  QEventLoop loop;
  QObject::connect(&player, &QMediaPlayer::durationChanged, &loop, [&loop](qint64 duration) {
    if (duration > 0) loop.quit();
  });
  QObject::connect(&player, &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
  QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

MediaFacts probeMediaFile(const std::string& path, int timeoutMs) {
  MediaFacts facts;
  FileFailure problem;
  std::optional<OpenedFile> opened = openRegularFile(path, problem);
  if (!opened) return facts;
  QMediaPlayer player;
  // Without an audio output the back end does not prepare a sound far enough to know its
  // length; this one is muted, and the player is never started.
  auto* output = new QAudioOutput(&player);
  output->setMuted(true);
  player.setAudioOutput(output);
  // Through the descriptor, so the path's bytes reach the file system untouched.
  player.setSource(QUrl::fromLocalFile(QStringLiteral("/proc/self/fd/%1").arg(opened->fd.get())));
  waitUntilSettled(player, timeoutMs);
  if (!isPlayable(player.mediaStatus())) return facts;
  waitForDuration(player, timeoutMs);
  if (player.duration() > 0) facts.durationMs = player.duration();
  const QMediaMetaData meta = player.metaData();
  if (const QSize size = meta.value(QMediaMetaData::Resolution).toSize(); size.isValid()) {
    facts.width = size.width();
    facts.height = size.height();
  }
  const double rate = meta.value(QMediaMetaData::VideoFrameRate).toDouble();
  if (std::isfinite(rate) && rate > 0) facts.frameRate = rate;
  player.setSource(QUrl());
  return facts;
}

}  // namespace tossbox
