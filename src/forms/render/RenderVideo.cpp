#include "forms/render/RenderVideo.h"

#include <QWidget>
#include <string>

#include "core/files/FileKind.h"
#include "core/media/AviHeader.h"
#include "core/media/ParseNumbers.h"
#include "core/picture/ShownFileTexts.h"
#include "forms/picture/PictureControl.h"
#include "forms/render/RenderTarget.h"
#include "platform/media/MediaCommands.h"

namespace tossbox {

namespace {

// Replies come through a buffer of 1024 characters ending in a zero.
constexpr std::size_t kReplyCharacters = 1023;

// The enlarged viewer keeps its top rows for its own bar.
constexpr int kViewerVideoLeft = 0;
constexpr int kViewerVideoTop = 16;

std::string replyText(const MediaReply& reply) {
  std::string text = reply.text.substr(0, reply.text.find('\0'));
  if (text.size() > kReplyCharacters) text.resize(kReplyCharacters);
  return text;
}

void call(const std::function<void()>& step) {
  if (step) step();
}

// A command whose failure is shown in the media error box.
bool execute(RenderServices& services, const std::string& command) {
  const MediaReply reply = services.media->send(command);
  if (reply.ok()) return true;
  if (services.showMediaError) services.showMediaError(services.media->errorText(reply.error));
  return false;
}

std::string ask(MediaCommands& media, const std::string& command) {
  return replyText(media.send(command));
}

struct VideoSize {
  int width = 0;
  int height = 0;
  [[nodiscard]] bool usable() const { return width > 0 && height > 0; }
};

VideoSize sourceSize(MediaCommands& media) {
  const ReplyNumbers numbers = ParseNumbers(ask(media, "where mvid source"));
  return {numbers[2] - numbers[0], numbers[3] - numbers[1]};
}

// The size the file's own header gives, for a device that gave none.
VideoSize headerSize(const RenderArgs& args) {
  const auto facts = readAviHeader(args.path);
  return facts ? VideoSize{facts->width, facts->height} : VideoSize{};
}

// A device that does not know the length answers 0 or an error.
std::int64_t knownOrMinusOne(std::int64_t milliseconds) {
  return milliseconds > 0 ? milliseconds : -1;
}

std::string openCommand(const RenderArgs& args) {
  const QWidget* parent = args.target.parentWidget();
  const WId window = parent != nullptr ? parent->winId() : 0;
  // Quoted, so that a path with blanks is one name.
  return "open \"" + args.path + "\" alias mvid style child parent " + std::to_string(window);
}

}  // namespace

bool RenderVideo(RenderServices& services, const RenderArgs& args) {
  if (services.media == nullptr) return false;
  MediaCommands& media = *services.media;
  if (media.isOpen(kVideoAlias)) execute(services, "close mvid");
  ShownFileInfo info = currentRecord(services);
  info.kind = shownKindNumber(FileKind::Video);
  const bool newer = fileKindOf(args.path) == FileKind::Movie;
  info.format = newer ? shown_text::kMovie : shown_text::kVideo;
  info.durationMs = -1;
  info.frameRate = 0;
  storeRecord(services, info);
  call(services.showWaitText);

  const MediaReply opened = media.send(openCommand(args));
  if (!opened.ok()) {
    if (services.showMediaError && services.unopenedVideo != args.path)
      services.showMediaError(media.errorText(opened.error));
    services.unopenedVideo = args.path;
    call(services.restoreStatusText);
    return true;
  }
  VideoSize size = sourceSize(media);
  execute(services, "seek mvid to start");
  execute(services, "play mvid window");
  call(services.restoreStatusText);

  if (!size.usable()) size = headerSize(args);
  info.width = size.width;
  info.height = size.height;
  // With no size at all, the video window takes the whole box; the picture keeps its
  // proportions inside it.
  const FitResult fit = size.usable() ? fitTarget(args, size.width, size.height)
                                      : fitTarget(args, args.boxWidth, args.boxHeight);
  const bool viewer = args.role == TargetRole::Viewer;
  const int left = viewer ? kViewerVideoLeft : fit.left;
  const int top = viewer ? kViewerVideoTop : fit.top;
  execute(services, "put mvid window at " + std::to_string(left) + " " + std::to_string(top) + " " +
                        std::to_string(fit.width) + " " + std::to_string(fit.height));
  execute(services, "realize mvid normal");
  execute(services, "window mvid state show");

  info.number = replyInteger(ask(media, "status mvid length"));
  // An AVI file keeps the commands it always had; the newer videos are asked what they know.
  if (newer) {
    info.durationMs = knownOrMinusOne(replyInteger(ask(media, "status mvid duration")));
    info.frameRate = replyInteger(ask(media, "status mvid frame rate")) / 1000.0;
  }
  info.volume = replyInteger(ask(media, "status mvid volume"));
  info.version = ask(media, "info mvid version");
  info.depth = ask(media, "info mvid product");
  storeRecord(services, info);
  if (services.startVideoPolling) services.startVideoPolling(args.role);
  return execute(services, "play mvid window");
}

}  // namespace tossbox
