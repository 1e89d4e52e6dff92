#include "platform/sound/SoundPlayer.h"

#include <fcntl.h>
#include <unistd.h>

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFile>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

namespace tossbox {

SoundPlayer::SoundPlayer() = default;

SoundPlayer::~SoundPlayer() {
  stop();
}

bool SoundPlayer::ready() {
  if (player_) return true;
  if (QMediaDevices::audioOutputs().isEmpty()) return false;
  output_ = std::make_unique<QAudioOutput>();
  player_ = std::make_unique<QMediaPlayer>();
  player_->setAudioOutput(output_.get());
  return true;
}

void SoundPlayer::play(const std::string& path) {
  stop();
  if (!ready()) return;
  const QString name = QFile::decodeName(QByteArray::fromStdString(path));
  if (QFile::encodeName(name).toStdString() == path) {
    player_->setSource(QUrl::fromLocalFile(name));
  } else {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    file_ = std::make_unique<QFile>();
    if (!file_->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
      ::close(fd);
      file_.reset();
      return;
    }
    player_->setSourceDevice(file_.get());
  }
  player_->play();
}

void SoundPlayer::stop() {
  if (!player_) return;
  player_->stop();
  player_->setSource(QUrl());
  file_.reset();
}

}  // namespace tossbox
