#include "forms/main/Program.h"

#include <QGuiApplication>
#include <QScreen>
#include <QThread>

#include "forms/about/About.h"
#include "forms/fileinfo/UFileInfo.h"
#include "forms/folderselect/NewFLD.h"
#include "forms/folderselect/UFileSelect.h"
#include "forms/foldersett/UFolderSett.h"
#include "forms/list/UList.h"
#include "forms/main/MainUnit.h"
#include "forms/render/PictureRenderers.h"
#include "forms/render/RenderVideo.h"
#include "forms/syurui/USyurui.h"
#include "forms/viewer/ULarge.h"
#include "forms/warning/UWarning.h"
#include "platform/art/Artwork.h"
#include "platform/media/MciDevice.h"
#include "platform/prompt/MessageBoxes.h"

namespace tossbox {

Program::Program(MessageBoxes& boxes, std::vector<std::string> arguments)
    : boxes_(boxes),
      arguments_(std::move(arguments)),
      settingsBinding_(*this),
      art_(std::make_unique<Artwork>()),
      media_(std::make_unique<MciDevice>()),
      // The clip on show may be the file that moves.
      fileOperation_(trash_, history_, [this] { closeVideoDevice(*media_); }) {
  pause_ = [](int milliseconds) {
    // Paint what changed, but keep the user's clicks for after the wait: a click taken
    // inside it would act on a file that is about to change.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QThread::msleep(static_cast<unsigned long>(milliseconds));
  };
  installPictureRenderers(renderers_);
  renderers_.set(RendererId::Video, RenderVideo);
  form1_ = std::make_unique<TForm1>(*this);
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
  renderServices_.progress = [this](ProgressStage stage, int percent) {
    form1_->ProgressUpdate(stage, percent);
  };
  renderServices_.displayDepth = QGuiApplication::primaryScreen()->depth();
  renderServices_.showWaitText = [this] {
    state_.savedStatusText = form1_->statusText();
    form1_->setStatusText(QStringLiteral("しばらくお待ち下さい．．．"));
  };
  renderServices_.restoreStatusText = [this] { form1_->setStatusText(state_.savedStatusText); };
  renderServices_.media = media_.get();
  renderServices_.showMediaError = [this](const std::string& text) {
    boxes_.show(BoxRequest{QString::fromStdString(text), QString(), BoxIcon::None, BoxButtons::Ok,
                           form1_.get()});
  };
  renderServices_.startVideoPolling = [this](TargetRole role) {
    if (role == TargetRole::Preview) form1_->startVideoLoop();
  };
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
