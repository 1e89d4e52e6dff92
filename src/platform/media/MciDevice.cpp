#include "platform/media/MciDevice.h"


#include <QAudioOutput>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QSize>
#include <QUrl>
#include <QVideoSink>
#include <charconv>
#include <cmath>

#include "core/files/RegularFile.h"
#include "platform/media/MediaSettle.h"
#include "platform/media/VideoSurface.h"

namespace tossbox {

namespace {

std::vector<std::string> wordsOf(std::string_view text) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t start = text.find_first_not_of(' ', at);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(text.find(' ', start), text.size());
    words.emplace_back(text.substr(start, end - start));
    at = end;
  }
  return words;
}

template <typename Number>
std::optional<Number> numberOf(std::string_view word) {
  Number value{};
  const char* end = word.data() + word.size();
  const auto [stop, error] = std::from_chars(word.data(), end, value);
  if (word.empty() || error != std::errc{} || stop != end) return std::nullopt;
  return value;
}

MediaReply failure(int error) {
  return MediaReply{error, {}};
}

MediaReply answer(std::string text = {}) {
  return MediaReply{0, std::move(text)};
}

struct OpenRequest {
  std::string path;
  std::string alias;
  std::optional<WId> parent;
};

// "PATH alias A style child parent N", PATH bare (up to the first blank) or in quotes. A quoted
// path ends at the quote before the last " alias ", so a name may hold quotes and blanks.
std::optional<OpenRequest> parseOpen(std::string_view arguments) {
  OpenRequest request;
  std::string_view rest;
  if (!arguments.empty() && arguments.front() == '"') {
    const std::size_t close = arguments.rfind("\" alias ");
    if (close == std::string_view::npos || close == 0) return std::nullopt;
    request.path = std::string(arguments.substr(1, close - 1));
    rest = arguments.substr(close + 1);
  } else {
    const std::size_t blank = std::min(arguments.find(' '), arguments.size());
    request.path = std::string(arguments.substr(0, blank));
    rest = arguments.substr(blank);
  }
  const std::vector<std::string> words = wordsOf(rest);
  for (std::size_t i = 0; i + 1 < words.size(); i += 2) {
    if (words[i] == "alias") {
      request.alias = words[i + 1];
    } else if (words[i] == "parent") {
      request.parent = numberOf<WId>(words[i + 1]);
      if (!request.parent) return std::nullopt;
    } else if (words[i] != "style") {
      return std::nullopt;
    }
  }
  if (words.size() % 2 != 0 || request.path.empty() || request.alias.empty()) return std::nullopt;
  return request;
}

QSize metaSize(const QMediaPlayer& player) {
  return player.metaData().value(QMediaMetaData::Resolution).toSize();
}

double frameRate(const QMediaPlayer& player) {
  const double rate = player.metaData().value(QMediaMetaData::VideoFrameRate).toDouble();
  return std::isfinite(rate) && rate > 0 ? rate : 0;
}

// The AVI header's count, else what the clip's length and frame rate make.
long long frameCount(const std::optional<AviFacts>& facts, const QMediaPlayer& player) {
  if (facts) return facts->frameCount;
  const double frames = static_cast<double>(player.duration()) * frameRate(player) / 1000.0;
  return frames > 0 && frames < 1e15 ? std::llround(frames) : 0;
}

}  // namespace

struct MciDevice::Clip {
  std::string alias;
  UniqueFd file;  // declared first: the player lets go of it before it closes
  std::optional<AviFacts> facts;
  std::unique_ptr<QMediaPlayer> player;
  QAudioOutput* audio = nullptr;  // owned by the player
  QPointer<VideoSurface> surface;

  ~Clip() {
    if (player) player->stop();
    player.reset();
    delete surface.data();
  }
};

MciDevice::MciDevice() = default;
MciDevice::~MciDevice() = default;

VideoSurface* MciDevice::surface() const {
  return clip_ ? clip_->surface.data() : nullptr;
}

bool MciDevice::isOpen(std::string_view alias) const {
  return clip_ && clip_->alias == alias;
}

std::string MciDevice::errorText(int error) const {
  switch (error) {
    case kMediaUnknownCommand:
      return "指定されたコマンドは認識されません。";
    case kMediaBadParameter:
      return "コマンドのパラメータが正しくありません。";
    case kMediaNotOpen:
      return "指定されたデバイスは開かれていません。";
    case kMediaFileNotFound:
      return "指定されたファイルが見つかりません。";
    case kMediaCannotPlay:
      return "このファイルは再生できません。";
    case kMediaAliasInUse:
      return "指定された別名は既に使われています。";
    case kMediaNoParent:
      return "ビデオを表示するウィンドウが見つかりません。";
    default:
      return "不明なエラーが発生しました。";
  }
}

MediaReply MciDevice::send(std::string_view text) {
  constexpr std::string_view kOpen = "open ";
  if (text.substr(0, kOpen.size()) == kOpen) return open(text.substr(kOpen.size()));
  const std::vector<std::string> words = wordsOf(text);
  if (words.size() < 2) return failure(kMediaUnknownCommand);
  return command(words[0], words);
}

MediaReply MciDevice::open(std::string_view arguments) {
  const std::optional<OpenRequest> request = parseOpen(arguments);
  if (!request) return failure(kMediaBadParameter);
  // While an open waits for the back end, timers still run; one of them may show another file.
  if (clip_ || opening_) return failure(kMediaAliasInUse);
  QWidget* parent = request->parent ? QWidget::find(*request->parent) : nullptr;
  if (parent == nullptr) return failure(kMediaNoParent);

  auto clip = std::make_unique<Clip>();
  clip->alias = request->alias;
  FileFailure problem;
  std::optional<OpenedFile> opened = openRegularFile(request->path, problem);
  if (!opened) return failure(kMediaFileNotFound);
  clip->file = std::move(opened->fd);
  // The back end opens the file through this descriptor, so the path's bytes reach the file
  // system untouched, whatever their encoding.
  const QString source = QStringLiteral("/proc/self/fd/%1").arg(clip->file.get());
  clip->facts = readAviHeader(source.toStdString());

  clip->player = std::make_unique<QMediaPlayer>();
  clip->audio = new QAudioOutput(clip->player.get());
  clip->player->setAudioOutput(clip->audio);
  auto* sink = new QVideoSink(clip->player.get());
  clip->player->setVideoSink(sink);
  clip->surface = new VideoSurface(parent);
  QObject::connect(sink, &QVideoSink::videoFrameChanged, clip->surface.data(),
                   &VideoSurface::showFrame);
  clip->player->setSource(QUrl::fromLocalFile(source));
  opening_ = true;
  waitUntilSettled(*clip->player, kMediaOpenTimeoutMs);
  opening_ = false;
  if (!isPlayable(clip->player->mediaStatus())) return failure(kMediaCannotPlay);
  clip_ = std::move(clip);
  return answer();
}

MediaReply MciDevice::command(const std::string& verb, const std::vector<std::string>& words) {
  static const std::vector<std::string> kVerbs = {"close",   "where",  "seek",   "play", "put",
                                                  "realize", "window", "status", "info"};
  if (std::find(kVerbs.begin(), kVerbs.end(), verb) == kVerbs.end())
    return failure(kMediaUnknownCommand);
  if (!isOpen(words[1])) return failure(kMediaNotOpen);
  QMediaPlayer& player = *clip_->player;
  if (verb == "close") {
    close();
    return answer();
  }
  if (verb == "where") return where(words);
  if (verb == "seek") {
    if (words.size() != 4 || words[2] != "to" || words[3] != "start")
      return failure(kMediaBadParameter);
    if (player.playbackState() == QMediaPlayer::PlayingState) player.pause();
    player.setPosition(0);
    return answer();
  }
  if (verb == "play") {
    player.play();
    return answer();
  }
  if (verb == "put") return put(words);
  if (verb == "realize") return answer();
  if (verb == "window") {
    if (words.size() != 4 || words[2] != "state") return failure(kMediaBadParameter);
    VideoSurface* shown = clip_->surface.data();
    if (shown == nullptr) return failure(kMediaNoParent);
    if (words[3] == "show") {
      shown->show();
      shown->raise();
    } else if (words[3] == "hide") {
      shown->hide();
    } else {
      return failure(kMediaBadParameter);
    }
    return answer();
  }
  if (verb == "status") return status(words);
  return info(words);
}

MediaReply MciDevice::where(const std::vector<std::string>& words) const {
  if (words.size() != 3 || words[2] != "source") return failure(kMediaBadParameter);
  int width = 0;
  int height = 0;
  if (clip_->facts && clip_->facts->width > 0) {
    width = clip_->facts->width;
    height = clip_->facts->height;
  } else if (const QVideoSink* sink = clip_->player->videoSink();
             sink != nullptr && sink->videoSize().isValid()) {
    width = sink->videoSize().width();
    height = sink->videoSize().height();
  } else if (const QSize size = metaSize(*clip_->player); size.isValid()) {
    // Before its first frame a clip of another kind than AVI knows its size only from its tags.
    width = size.width();
    height = size.height();
  }
  return answer("0 0 " + std::to_string(width) + " " + std::to_string(height));
}

MediaReply MciDevice::put(const std::vector<std::string>& words) {
  if (words.size() != 8 || words[2] != "window" || words[3] != "at")
    return failure(kMediaBadParameter);
  std::array<int, 4> rect{};
  for (std::size_t i = 0; i < rect.size(); ++i) {
    const std::optional<int> value = numberOf<int>(words[4 + i]);
    if (!value) return failure(kMediaBadParameter);
    rect[i] = *value;
  }
  if (rect[2] < 0 || rect[3] < 0) return failure(kMediaBadParameter);
  VideoSurface* shown = clip_->surface.data();
  if (shown == nullptr) return failure(kMediaNoParent);
  shown->setGeometry(rect[0], rect[1], rect[2], rect[3]);
  return answer();
}

MediaReply MciDevice::status(const std::vector<std::string>& words) const {
  // "frame rate": frames a second times 1000, 0 when the clip does not say.
  if (words.size() == 4 && words[2] == "frame" && words[3] == "rate")
    return answer(std::to_string(std::llround(frameRate(*clip_->player) * 1000.0)));
  if (words.size() != 3) return failure(kMediaBadParameter);
  const std::string& item = words[2];
  if (item == "length") return answer(std::to_string(frameCount(clip_->facts, *clip_->player)));
  // The length in milliseconds, 0 when the back end does not know it.
  if (item == "duration")
    return answer(std::to_string(std::max<qint64>(0, clip_->player->duration())));
  if (item == "volume")
    return answer(std::to_string(std::lround(clip_->audio->volume() * 1000.0F)));
  if (item != "mode") return failure(kMediaBadParameter);
  switch (clip_->player->playbackState()) {
    case QMediaPlayer::PlayingState:
      return answer("playing");
    case QMediaPlayer::PausedState:
      return answer("paused");
    case QMediaPlayer::StoppedState:
      break;
  }
  return answer("stopped");
}

MediaReply MciDevice::info(const std::vector<std::string>& words) const {
  if (words.size() != 3) return failure(kMediaBadParameter);
  if (words[2] == "version") return answer(qVersion());
  if (words[2] == "product") return answer("Qt Multimedia");
  return failure(kMediaBadParameter);
}

void MciDevice::close() {
  clip_.reset();
}

}  // namespace tossbox
