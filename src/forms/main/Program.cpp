#include "forms/main/Program.h"

#include <QGuiApplication>
#include <QScreen>
#include <QThread>

#include "core/files/Leftovers.h"
#include "core/sorting/FileTransfer.h"
#include "core/text/RtfText.h"
#include "forms/about/About.h"
#include "forms/fileinfo/UFileInfo.h"
#include "forms/folderselect/NewFLD.h"
#include "forms/folderselect/UFileSelect.h"
#include "forms/foldersettings/UFolderSett.h"
#include "forms/list/UList.h"
#include "forms/main/LongCopyProgress.h"
#include "forms/main/MainUnit.h"
#include "forms/render/PictureRenderers.h"
#include "forms/render/RenderText.h"
#include "forms/render/RenderWave.h"
#include "forms/render/RenderVideo.h"
#include "forms/kindfilter/USyurui.h"
#include "forms/viewer/ULarge.h"
#include "forms/samename/UWarning.h"
#include "platform/art/Artwork.h"
#include "platform/media/MciDevice.h"
#include "platform/media/MediaProbe.h"
#include "platform/media/MediaSettle.h"
#include "platform/prompt/MessageBoxes.h"
#include "platform/tray/QtTrayShell.h"

namespace tossbox {

Program::Program(MessageBoxes& boxes, std::vector<std::string> arguments,
                 std::unique_ptr<TrayShell> trayShell)
    : boxes_(boxes),
      arguments_(std::move(arguments)),
      settingsBinding_(*this),
      art_(std::make_unique<Artwork>()),
      media_(std::make_unique<MciDevice>()),
      // The clip on show may be the file that moves.
      fileOperation_(trash_, history_, [this] { closeVideoDevice(*media_); }),
      trayShell_(trayShell ? std::move(trayShell) : std::make_unique<QtTrayShell>()) {
  pause_ = [](int milliseconds) {
    // Paint what changed, but keep the user's clicks for after the wait: a click taken
    // inside it would act on a file that is about to change.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QThread::msleep(static_cast<unsigned long>(milliseconds));
  };
  installPictureRenderers(renderers_);
  renderers_.set(RendererId::Text, RenderText);
  renderers_.set(RendererId::Wave, RenderWave);
  renderers_.set(RendererId::Video, RenderVideo);
  form1_ = std::make_unique<TForm1>(*this);
  fileOperation_.setLongCopyRunner(
      [this](const LongCopy& copy) { return copyShowingProgress(*form1_, copy); });
  removeLeftovers();
  connectRenderServices();
  folderSett_ = std::make_unique<TFolderSett>(*this);
  fSyurui_ = std::make_unique<TFSyurui>(*this);
  form2_ = std::make_unique<TForm2>(*this);
  form3_ = std::make_unique<TForm3>(*this);
  form5_ = std::make_unique<TForm5>(*this);
  form6_ = std::make_unique<TForm6>(*this);
  form8_ = std::make_unique<TForm8>(*this);
  form9_ = std::make_unique<TForm9>(*this);
  stvAbout_ = std::make_unique<TSTVabout>(*this);
}

void Program::connectRenderServices() {
  renderServices_.preview = &form1_->image1();
  renderServices_.shown = &state_.shown;
  renderServices_.prefetched = [this](const std::string& path) { return prefetch_.ready(path); };
  renderServices_.progress = [this](ProgressStage stage, int percent) {
    form1_->ProgressUpdate(stage, percent);
  };
  renderServices_.displayDepth = QGuiApplication::primaryScreen()->depth();
  renderServices_.retryCopy = [this](const std::string& path, const RetryCandidate& candidate) {
    return jpegRetry_.copy(path, candidate);
  };
  renderServices_.art = art_.get();
  renderServices_.textLines = &state_.textLines;
  renderServices_.showWaitText = [this] { form1_->showWaitText(); };
  renderServices_.restoreStatusText = [this] { form1_->restoreStatusText(); };
  renderServices_.playSound = [this](const std::string& path) { soundPlayer_.play(path); };
  renderServices_.stopSound = [this] { soundPlayer_.stop(); };
  renderServices_.soundLength = [](const std::string& path) {
    return probeMediaFile(path, kMediaOpenTimeoutMs).durationMs;
  };
  renderServices_.listTextInViewer = [this](int mode) { form3_->listText(mode); };
  renderServices_.rtfLines = rtfToLines;
  renderServices_.media = media_.get();
  renderServices_.showMediaError = [this](const std::string& text) {
    boxes_.show(BoxRequest{QString::fromStdString(text), QString(), BoxIcon::None, BoxButtons::Ok,
                           form1_.get()});
  };
  renderServices_.startVideoPolling = [this](TargetRole role) {
    // The information window's clip is nobody's to watch: a click on it must not act on the
    // viewer.
    if (role == TargetRole::Preview) form1_->startVideoLoop();
    if (role == TargetRole::Viewer) form3_->startVideoPolling();
  };
}

// The settings are loaded by now, so the target folders are known. Only this copy of the
// program runs (the single-instance lock), so no other writer's files are at stake.
void Program::removeLeftovers() {
  settingsBinding_.store().removeLeftovers();
  for (int n = 1; n <= kFolderButtonCount; ++n) {
    const std::string& folder = state_.settings.target(n).FolderPath;
    if (!folder.empty()) removeOwnLeftovers(folder, isHiddenCopyName);
  }
}

void Program::setMedia(std::unique_ptr<MediaCommands> media) {
  closeVideoDevice(*media_);
  media_ = std::move(media);
  renderServices_.media = media_.get();
}

Program::~Program() = default;

void Program::showMainWindow() {
  form1_->show();
}

}  // namespace tossbox
