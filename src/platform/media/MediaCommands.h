#pragma once
// The string commands the program drives its video with ("open ... alias
// mvid ...", "play mvid window", "status mvid mode", "close mvid"), behind
// an interface so that tests can record them.
#include <string>
#include <string_view>

namespace tossbox {

// The one alias every video is opened under.
inline constexpr std::string_view kVideoAlias = "mvid";

struct MediaReply {
  int error = 0;  // 0 on success
  std::string text;

  [[nodiscard]] bool ok() const { return error == 0; }
};

class MediaCommands {
 public:
  virtual ~MediaCommands() = default;

  virtual MediaReply send(std::string_view command) = 0;
  // The words for an error code `send` answered.
  [[nodiscard]] virtual std::string errorText(int error) const = 0;
  [[nodiscard]] virtual bool isOpen(std::string_view alias) const = 0;
};

// Closes the video when one is open (before another file is shown or moved, and at the end).
inline void closeVideoDevice(MediaCommands& media) {
  if (media.isOpen(kVideoAlias)) media.send("close mvid");
}

}  // namespace tossbox
