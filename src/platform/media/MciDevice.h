#pragma once
// The video device behind the "mvid" commands, played by Qt Multimedia: one
// clip at a time, in a VideoSurface made a child of the widget whose window
// id the open command names. Replies are those of a media control device:
// "0 0 320 240" for "where ... source", the frame count for "status ...
// length", "playing" or "stopped" for "status ... mode". Beyond those, for
// the clips of other kinds than AVI: "status ... duration" in milliseconds
// and "status ... frame rate" in frames a second times 1000.
#include <QPointer>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/files/UniqueFd.h"
#include "core/media/AviHeader.h"
#include "platform/media/MediaCommands.h"

class QAudioOutput;
class QMediaPlayer;
class QVideoSink;

namespace tossbox {

class VideoSurface;

enum MediaError : int {
  kMediaUnknownCommand = 261,
  kMediaBadParameter = 262,
  kMediaNotOpen = 263,
  kMediaFileNotFound = 264,
  kMediaCannotPlay = 265,
  kMediaAliasInUse = 266,
  kMediaNoParent = 267,
};

class MciDevice : public MediaCommands {
 public:
  MciDevice();
  ~MciDevice() override;
  MciDevice(const MciDevice&) = delete;
  MciDevice& operator=(const MciDevice&) = delete;

  MediaReply send(std::string_view command) override;
  [[nodiscard]] std::string errorText(int error) const override;
  [[nodiscard]] bool isOpen(std::string_view alias) const override;

  // The window the clip plays in while one is open.
  [[nodiscard]] VideoSurface* surface() const;

 private:
  struct Clip;
  MediaReply open(std::string_view arguments);
  MediaReply command(const std::string& verb, const std::vector<std::string>& words);
  MediaReply where(const std::vector<std::string>& words) const;
  MediaReply put(const std::vector<std::string>& words);
  MediaReply status(const std::vector<std::string>& words) const;
  MediaReply info(const std::vector<std::string>& words) const;
  void close();

  std::unique_ptr<Clip> clip_;
  bool opening_ = false;
};

}  // namespace tossbox
