#pragma once
// Plays one sound file at a time without waiting for it; a new sound or
// stop() ends the one before. Without a sound device, or with a file that
// cannot be played, nothing happens and nothing is reported. The media
// objects are made at the first sound, so a program that plays none never
// starts the media system.
#include <memory>
#include <string>

class QAudioOutput;
class QFile;
class QMediaPlayer;

namespace tossbox {

class SoundPlayer {
 public:
  SoundPlayer();
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  void play(const std::string& path);
  void stop();

 private:
  [[nodiscard]] bool ready();

  std::unique_ptr<QAudioOutput> output_;
  std::unique_ptr<QMediaPlayer> player_;
  // The file opened by its own bytes when its name does not survive the trip through QString.
  std::unique_ptr<QFile> file_;
};

}  // namespace tossbox
